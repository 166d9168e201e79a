// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QFrame>
#include <string>

class QLabel;
class QPushButton;

namespace vx {

// The bar that says "demo.cam was changed on disk." with Reload and Keep mine.
class ChangedOnDiskBar : public QFrame {
    Q_OBJECT
  public:
    explicit ChangedOnDiskBar(QWidget* parent);
    void ShowFor(const std::string& fileName);
    QPushButton* ReloadButton() const { return reload_; }
    QPushButton* KeepMineButton() const { return keepMine_; }

  signals:
    void reloadChosen();
    void keepMineChosen();

  private:
    QLabel* text_;
    QPushButton* reload_;
    QPushButton* keepMine_;
};

}  // namespace vx
