// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <QTimer>

#include "formats/cam_diff.h"
#include "platform/message_box.h"
#include "ui/editor/editor_texts.h"
#include "ui/editor/editor_window.h"
#include "ui/editor/pitlane_page.h"
#include "ui/editor/tv_page.h"

namespace vx {

namespace {

// More would not fit on a screen; the rest is counted.
constexpr std::size_t kShownDifferences = 40;

}  // namespace

void EditorWindow::EndOrderly() {
    recoveryTimer_->stop();
    session_.EndOrderly();
}

void EditorWindow::OfferRecoveries() {
    RecoveryScan scan = session_.FindRecoveries();
    for (const std::string& damaged : scan.damaged) {
        platform_.boxes.Show(kErrorTitle, kBadRecoveryText + damaged, BoxIcon::Exclamation,
                             BoxButtons::Ok);
    }
    for (OrphanedRecovery& recovery : scan.found) OfferRecovery(recovery);
}

void EditorWindow::OfferRecovery(OrphanedRecovery& recovery) {
    enum { kRestore, kShowChanges, kDiscard };
    for (;;) {
        // Every answer but Show changes ends the question; none is the frame's.
        const int answer = platform_.boxes.Choose(
            kSafetyTitle, RecoveryQuestion(recovery), BoxIcon::Exclamation,
            {kRestoreButton, kShowChangesButton, kDiscardButton}, kRestore, -1);
        if (answer == kShowChanges) {
            ShowRecoveredChanges(recovery.Content());
            continue;
        }
        if (answer == kDiscard) {
            recovery.Dismiss();
            return;
        }
        break;
    }
    // Changes restored before this one are not dropped without the load question;
    // turned down, this file stays for the next start.
    if (!ConfirmLoad()) return;
    session_.Restore(recovery.Content());
    // Safe in this instance's own copy before the other one goes.
    session_.WriteRecovery();
    recovery.Dismiss();
    SetStatus(kRestoredText);
}

void EditorWindow::ShowRecoveredChanges(const RecoveredDocument& recovered) {
    const std::optional<CamDocument> baseline = session_.RecoveryBaseline(recovered);
    std::string text;
    if (!baseline) {
        text = recovered.fileName + kRecoveredFileGoneText;
    } else {
        const std::vector<std::string> lines = DiffCamDocuments({*baseline}, {recovered.doc});
        for (std::size_t i = 0; i < lines.size() && i < kShownDifferences; ++i) {
            text += lines[i] + "\n";
        }
        if (lines.size() > kShownDifferences) {
            text += "... " + std::to_string(lines.size() - kShownDifferences) + " more\n";
        }
        if (lines.empty()) text = kNoChangesText;
    }
    platform_.boxes.Show(kInfoTitle, text, BoxIcon::Information, BoxButtons::Ok);
}

}  // namespace vx
