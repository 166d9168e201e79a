// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

#include "document/cam_document.h"
#include "session/state_folder.h"

namespace vx {

// What a recovery file holds: the document and the file it belongs to.
struct RecoveredDocument {
    std::string fileName;  // empty for the start-up document, which has no file
    CamDocument doc;
};

std::vector<std::uint8_t> EncodeRecovery(const RecoveredDocument& content);
// False for anything but a complete recovery file.
bool DecodeRecovery(const std::vector<std::uint8_t>& bytes, RecoveredDocument& content);

// This instance's copy of its unsaved changes in the state folder's recovery
// folder. It is locked while the instance lives, so that another instance never
// offers it; the lock is taken with the first write, so an instance that never
// has unsaved changes leaves no trace.
class RecoveryFile {
  public:
    explicit RecoveryFile(StateFolder folder);
    // Only an orderly end runs this, and an orderly end keeps no recovery file.
    ~RecoveryFile();
    RecoveryFile(const RecoveryFile&) = delete;
    RecoveryFile& operator=(const RecoveryFile&) = delete;

    // Replaces the file whole (temporary file and rename, without flushing to disk).
    bool Write(const std::string& fileName, const CamDocument& doc);
    void Remove();
    // Where the copy goes once written; empty before the lock is taken.
    std::string Path() const;

  private:
    bool TakeLock();

    StateFolder folder_;
    std::string token_;
    int lock_ = -1;
    bool written_ = false;
};

// A recovery file whose instance is gone. It stays locked while this object
// lives, so that an instance started meanwhile does not offer it as well.
class OrphanedRecovery {
  public:
    OrphanedRecovery(std::string path, int lock, RecoveredDocument content, std::time_t written);
    OrphanedRecovery(OrphanedRecovery&& other) noexcept;
    OrphanedRecovery& operator=(OrphanedRecovery&&) = delete;
    ~OrphanedRecovery();

    const RecoveredDocument& Content() const { return content_; }
    std::time_t WrittenAt() const { return written_; }
    // Removes the file once its changes were taken over or turned down.
    void Dismiss();

  private:
    std::string path_;
    int lock_ = -1;
    RecoveredDocument content_;
    std::time_t written_ = 0;
};

struct RecoveryScan {
    std::vector<OrphanedRecovery> found;
    // Files that held no valid document, moved aside with ".bad" appended.
    std::vector<std::string> damaged;
};

// The recovery files left by instances that ended without an orderly exit.
RecoveryScan FindOrphanedRecoveries(const StateFolder& folder);

// "Vistolarex found unsaved changes to demo.cam from 2026-12-07 14:03. Restore them?"
std::string RecoveryQuestion(const OrphanedRecovery& recovery);

}  // namespace vx
