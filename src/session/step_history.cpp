// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "session/step_history.h"

#include <utility>

namespace vx {

namespace {

bool Joins(const StepInfo& first, const StepInfo& next) {
    return first.mergeField >= 0 && next.mergeField == first.mergeField &&
           first.place.tab == next.place.tab && first.place.cameraAfter == next.place.cameraBefore;
}

const std::string kNoText;

}  // namespace

void StepHistory::Push(DocumentChange change, StepInfo info) {
    if (change.Empty()) return;
    steps_.resize(done_);
    if (saved_ > static_cast<long>(done_)) saved_ = -1;
    if (done_ > 0 && saved_ != static_cast<long>(done_) && Joins(steps_.back().info, info)) {
        Step& last = steps_.back();
        Absorb(last.change, change);
        last.info.place.cameraAfter = info.place.cameraAfter;
        if (last.change.Empty()) {
            steps_.pop_back();
            --done_;
        }
        return;
    }
    steps_.push_back({std::move(change), std::move(info)});
    ++done_;
    if (steps_.size() > kStepLimit) {
        steps_.pop_front();
        --done_;
        if (saved_ >= 0) --saved_;
    }
}

const StepHistory::Step* StepHistory::TakeBack() {
    if (!CanUndo()) return nullptr;
    return &steps_[--done_];
}

const StepHistory::Step* StepHistory::DoAgain() {
    if (!CanRedo()) return nullptr;
    return &steps_[done_++];
}

const std::string& StepHistory::UndoText() const {
    return CanUndo() ? steps_[done_ - 1].info.text : kNoText;
}

const std::string& StepHistory::RedoText() const {
    return CanRedo() ? steps_[done_].info.text : kNoText;
}

void StepHistory::Clear() {
    steps_.clear();
    done_ = 0;
    saved_ = 0;
}

std::string StepText(const std::string& what, SetId set, int camera) {
    return what + " (" + SetName(set) + " camera " + std::to_string(camera) + ")";
}

std::string PitlaneStepText(const std::string& what) { return what + " (pitlane camera)"; }

std::string FieldName(const char* label) {
    std::string name(label);
    const std::string arrow = " -->";
    if (name.size() >= arrow.size() && name.ends_with(arrow))
        name.resize(name.size() - arrow.size());
    return name;
}

}  // namespace vx
