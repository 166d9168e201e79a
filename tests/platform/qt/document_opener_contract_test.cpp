#include <gtest/gtest.h>

#include <QDesktopServices>
#include <QObject>
#include <QUrl>
#include <functional>
#include <memory>

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

class OpenerHarness {
  public:
    virtual ~OpenerHarness() = default;
    virtual DocumentOpener& Opener() = 0;
    virtual std::vector<std::string> Opened() = 0;
};

class ScriptedHarness : public OpenerHarness {
  public:
    DocumentOpener& Opener() override { return opener_; }
    std::vector<std::string> Opened() override { return opener_.opened; }

  private:
    testing::RecordingOpener opener_;
};

class QtHarness : public OpenerHarness {
  public:
    QtHarness() { QDesktopServices::setUrlHandler("file", &catcher_, "handle"); }
    ~QtHarness() override { QDesktopServices::unsetUrlHandler("file"); }
    DocumentOpener& Opener() override { return opener_; }
    std::vector<std::string> Opened() override { return catcher_.opened; }

  private:
    FileUrlCatcher catcher_;
    QtDocumentOpener opener_;
};

using HarnessFactory = std::function<std::unique_ptr<OpenerHarness>()>;

class DocumentOpenerContract : public ::testing::TestWithParam<HarnessFactory> {};

TEST_P(DocumentOpenerContract, HandsOverThePathAsItStands) {
    auto harness = GetParam()();
    const std::string manual = "/opt/Vistolarex 1.53/VistolarexHelp.html";
    const std::string odd = "/tmp/100% #1/a&b.html";
    harness->Opener().Open(manual);
    harness->Opener().Open(odd);
    EXPECT_EQ(harness->Opened(), (std::vector<std::string>{manual, odd}));
}

INSTANTIATE_TEST_SUITE_P(Scripted, DocumentOpenerContract, ::testing::Values(HarnessFactory([] {
                             return std::make_unique<ScriptedHarness>();
                         })));
INSTANTIATE_TEST_SUITE_P(Qt, DocumentOpenerContract, ::testing::Values(HarnessFactory([] {
                             return std::make_unique<QtHarness>();
                         })));

}  // namespace
}  // namespace vx

#include "document_opener_contract_test.moc"
