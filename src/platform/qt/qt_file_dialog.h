// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <string>

#include "platform/file_dialog.h"

class QFileDialog;
class QWidget;

namespace vx {

// "a (*.x)|*.x|b|*.y" (description|pattern pairs) as Qt's "a (*.x);;b (*.y)".
std::string QtNameFilters(const std::string& pipeFilter);

// The shared open/save dialog on QFileDialog. It remembers the initial folder and
// file name it was given; the caller decides what they are after each use.
class QtFileDialog : public FileDialog {
  public:
    explicit QtFileDialog(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }

    std::optional<std::string> AskOpen() override;
    std::optional<std::string> AskSave() override;
    void SetInitialFolder(const std::string& folder) override { folder_ = folder; }
    std::string InitialFolder() const override { return folder_; }
    void SetFileName(const std::string& name) override { fileName_ = name; }
    std::string FileName() const { return fileName_; }

  private:
    std::optional<std::string> Ask(bool save);

    QWidget* parent_;
    std::string folder_;
    std::string fileName_;
};

}  // namespace vx
