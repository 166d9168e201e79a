#include "ui/options_dialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QVBoxLayout>

namespace vx {

bool RunOptionsDialog(QWidget* parent, OptionsContext& context) {
    (void)context;
    QDialog dialog(parent);
    dialog.setObjectName("frmOptions2");
    dialog.setWindowTitle("Vistolarex: Options");
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(buttons);
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace vx
