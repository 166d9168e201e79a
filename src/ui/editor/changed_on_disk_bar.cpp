// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "ui/editor/changed_on_disk_bar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "ui/editor/editor_texts.h"

namespace vx {

ChangedOnDiskBar::ChangedOnDiskBar(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("frChangedOnDisk"));
    setFrameShape(QFrame::StyledPanel);
    // The desktop's highlight makes it stand apart from the status line it covers.
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, colours.color(QPalette::ToolTipBase));
    colours.setColor(QPalette::WindowText, colours.color(QPalette::ToolTipText));
    setPalette(colours);

    text_ = new QLabel(this);
    text_->setObjectName(QStringLiteral("lblChangedOnDisk"));
    text_->setTextFormat(Qt::PlainText);
    reload_ = new QPushButton(QString::fromUtf8(kReloadButton), this);
    reload_->setObjectName(QStringLiteral("cmdReload"));
    keepMine_ = new QPushButton(QString::fromUtf8(kKeepMineButton), this);
    keepMine_->setObjectName(QStringLiteral("cmdKeepMine"));
    for (QPushButton* button : {reload_, keepMine_}) button->setAutoDefault(false);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(6, 0, 6, 0);
    row->addWidget(text_, 1);
    row->addWidget(reload_);
    row->addWidget(keepMine_);
    connect(reload_, &QPushButton::clicked, this, [this] {
        hide();
        emit reloadChosen();
    });
    connect(keepMine_, &QPushButton::clicked, this, [this] {
        hide();
        emit keepMineChosen();
    });
    hide();
}

void ChangedOnDiskBar::ShowFor(const std::string& fileName) {
    text_->setText(QString::fromStdString(fileName + kChangedOnDiskNotice));
    show();
    raise();
}

}  // namespace vx
