// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <QDesktopServices>
#include <QObject>
#include <QUrl>

#include "platform/qt/qt_document_opener.h"
#include "support/scripted_platform.h"

namespace vx {
namespace {

// Stands in for the desktop's handler of local files.
class FileUrlCatcher : public QObject {
    Q_OBJECT
  public:
    std::vector<std::string> opened;
  public slots:
    void handle(const QUrl& url) { opened.push_back(url.toLocalFile().toStdString()); }
};

// Each harness offers Opener() and Opened(), the paths that reached the desktop.
class ScriptedHarness {
  public:
    DocumentOpener& Opener() { return opener_; }
    std::vector<std::string> Opened() { return opener_.opened; }

  private:
    testing::RecordingOpener opener_;
};

class QtHarness {
  public:
    QtHarness() { QDesktopServices::setUrlHandler("file", &catcher_, "handle"); }
    ~QtHarness() { QDesktopServices::unsetUrlHandler("file"); }
    DocumentOpener& Opener() { return opener_; }
    std::vector<std::string> Opened() { return catcher_.opened; }

  private:
    FileUrlCatcher catcher_;
    QtDocumentOpener opener_;
};

template <class Harness>
class DocumentOpenerContract : public ::testing::Test {
  protected:
    Harness harness;
};
using Harnesses = ::testing::Types<ScriptedHarness, QtHarness>;
TYPED_TEST_SUITE(DocumentOpenerContract, Harnesses);

TYPED_TEST(DocumentOpenerContract, HandsOverThePathAsItStands) {
    const std::vector<std::string> paths{"/opt/Vistolarex 1.53/VistolarexHelp.html",
                                         "/tmp/100% #1/a&b.html"};
    for (const std::string& path : paths) this->harness.Opener().Open(path);
    EXPECT_EQ(this->harness.Opened(), paths);
}

}  // namespace
}  // namespace vx

#include "document_opener_contract_test.moc"
