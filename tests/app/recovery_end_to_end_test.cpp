// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

// An edit in the editor, the editor killed, the program started again: the edit is
// offered, restored and saved, byte for byte.
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

#include <QApplication>
#include <QTest>
#include <filesystem>
#include <memory>

#include "app/desktop_game_remote.h"
#include "document/cam_writer.h"
#include "platform/qt/qt_beeper.h"
#include "platform/qt/qt_document_opener.h"
#include "platform/qt/qt_file_dialog.h"
#include "platform/qt/qt_message_boxes.h"
#include "platform/x11/xtest_hand.h"
#include "settings/config_file.h"
#include "support/scratch_folder.h"
#include "ui/editor/editor_window.h"
#include "ui/widgets/entry_box.h"

extern char** environ;

namespace vx {
namespace {

namespace fs = std::filesystem;

bool WaitFor(const std::function<bool()>& done) {
    for (int i = 0; i < 1000; ++i) {
        if (done()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

bool HasRecoveryFile(const std::string& state) {
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator(state + "/Vistolarex/recovery", ignored))
        if (entry.path().extension() == ".recovery") return true;
    return false;
}

// The editor as the program builds it, a height typed into TV1's first camera;
// it waits, editing no more, until it is killed.
[[noreturn]] void EditUntilKilled(const std::string& program, const std::string& file,
                                  const std::string& state, const std::string& edited) {
    int argc = 1;
    char name[] = "vistolarex";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    QtMessageBoxes boxes;
    QtBeeper beeper;
    QtFileDialog dialog;
    QtDocumentOpener opener;
    const std::unique_ptr<GameRemote> remote = MakeDesktopGameRemote(boxes, beeper);
    EditorPlatform platform{boxes, beeper, dialog, opener, *remote};
    platform.stateFolder = state + "/Vistolarex";
    EditorWindow window(program, file, platform);
    window.show();
    window.activateWindow();
    // Typing is committed when the box loses the focus, which needs an active window.
    if (!QTest::qWaitForWindowActive(&window)) ::_exit(1);
    auto* box = window.findChild<EntryBox*>(QStringLiteral("txtTV1CamData_2"));
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, QStringLiteral("12.5"));
    QTest::keyClick(box, Qt::Key_Tab);
    testing::WriteBytes(edited, SerializeCamDocument(window.Document()));
    for (;;) QTest::qWait(50);
}

TEST(RecoveryEndToEnd, AnEditKilledWithSigkillIsRestoredAndSavedByteForByte) {
    if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "needs an X display";
    testing::DisplayInputLock lock;  // the keys go to whatever has the focus
    testing::ScratchFolder scratch;
    const std::string bin = scratch.Path("bin"), state = scratch.Path("state");
    fs::create_directories(bin);
    fs::copy_file(VX_EDITOR, bin + "/vistolarex");
    Settings settings;
    settings.SafetyOverwrite = false;
    ASSERT_TRUE(WriteConfigFile(bin + "/" + kConfigFileName, settings).ok);
    const std::string file = scratch.Path("demo.cam"), edited = scratch.Path("edited");
    CamDocument original;
    NewDocument(original);
    testing::WriteBytes(file, SerializeCamDocument(original));
    ::setenv("XDG_STATE_HOME", state.c_str(), 1);
    ::setenv("HOME", scratch.Root().c_str(), 1);
    ::setenv("QT_QPA_PLATFORM", "xcb", 1);

    const pid_t editing = ::fork();
    if (editing == 0) EditUntilKilled(bin, file, state, edited);
    const bool written = WaitFor([&] { return HasRecoveryFile(state) && fs::exists(edited); });
    ::kill(editing, SIGKILL);
    ::waitpid(editing, nullptr, 0);
    ASSERT_TRUE(written) << "no recovery file within 20 s of the edit";
    const std::vector<std::uint8_t> expected = testing::ReadBytes(edited);
    ASSERT_NE(expected, testing::ReadBytes(file)) << "the edit did not reach the document";

    const std::string program = bin + "/vistolarex";
    char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
    pid_t restarted = 0;
    ASSERT_EQ(posix_spawn(&restarted, program.c_str(), nullptr, nullptr, argv, environ), 0);
    testing::XTestHand hand;
    X11GameWindows windows;
    const auto answer = [&](const std::string& title, const char* key, bool control = false) {
        unsigned long window = 0;
        if (!WaitFor([&] { return (window = hand.WindowTitled(title)) != 0; })) return false;
        windows.Activate(window);
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        hand.Type(key, control);
        return true;
    };
    EXPECT_TRUE(answer("Vistolarex: Safety request", "Return")) << "no restore question";
    EXPECT_TRUE(answer("demo.cam* \u2013 Vistolarex V1.53", "s", true)) << "not restored";
    EXPECT_TRUE(answer("Vistolarex: Load&Save", "Return")) << "no save dialog";
    EXPECT_TRUE(WaitFor([&] { return testing::ReadBytes(file) == expected; })) << "not saved";
    EXPECT_TRUE(WaitFor([&] { return !HasRecoveryFile(state); })) << "kept after the save";
    ::kill(restarted, SIGTERM);
    ::waitpid(restarted, nullptr, 0);
}

}  // namespace
}  // namespace vx
