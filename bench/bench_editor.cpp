// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "bench_editor.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QWindow>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "bench_folder.h"
#include "document/cam_writer.h"
#include "settings/config_file.h"

namespace vx::bench {

namespace {

constexpr int kAppearTimeoutMs = 10000;

// Spins the event loop until the condition holds; no sleeping, so the time of
// the wait is the time the window needed.
template <typename Condition>
bool ProcessUntil(Condition condition) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > kAppearTimeoutMs) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    return true;
}

}  // namespace

void FlushEvents() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

BenchEditor::BenchEditor(const std::string& name) : folder_(BenchFolder() + "/" + name) {
    const std::string game = folder_ + "/gpl";
    std::filesystem::create_directories(game + "/tracks");
    std::ofstream(game + "/gpl.exe", std::ios::binary) << "stand-in";
    Settings settings;
    settings.GPLFolder = game;
    if (!WriteConfigFile(folder_ + "/" + kConfigFileName, settings).ok) std::abort();
}

BenchEditor::~BenchEditor() { Close(); }

std::string BenchEditor::WriteCam(const std::string& name, const CamDocument& doc) const {
    const std::string path = folder_ + "/" + name;
    CamDocument copy = doc;
    if (WriteCamFile(path, copy).outcome != SaveOutcome::Success) std::abort();
    return path;
}

EditorWindow* BenchEditor::Start(const std::string& commandLine) {
    EditorPlatform platform{
        boxes, beeper, dialog, opener, remote, SystemFileLayer(), [](QWidget*, OptionsContext&) {
            return false;
        }};
    // Recent files and the recovery copy are kept, as the program keeps them.
    platform.stateFolder = folder_ + "/state";
    window_ = std::make_unique<EditorWindow>(folder_, commandLine, platform);
    window_->show();
    EditorWindow* shown = window_.get();
    const bool exposed = ProcessUntil(
        [shown] { return shown->windowHandle() != nullptr && shown->windowHandle()->isExposed(); });
    return exposed ? shown : nullptr;
}

bool BenchEditor::Activate() {
    EditorWindow* shown = window_.get();
    if (shown == nullptr) return false;
    shown->activateWindow();
    return ProcessUntil([shown] { return shown->isActiveWindow(); });
}

void BenchEditor::Close() {
    window_.reset();
    FlushEvents();
}

}  // namespace vx::bench
