#include "platform/fake/ScriptedObexClient.h"

bool ScriptedObexClient::Start(const std::string& toAddress, const std::string& filePath) {
    address = toAddress;
    path = filePath;
    progress.stage = starts ? ObexStage::Connecting : ObexStage::Finished;
    progress.outcome = starts ? ObexOutcome::Sent : outcome;
    progress.detail = starts ? "" : detail;
    return starts;
}

ObexProgress ScriptedObexClient::Current() {
    if (progress.stage == ObexStage::Finished || progress.stage == ObexStage::Idle) {
        return progress;
    }
    ++played;
    if (played >= steps) {
        progress.stage = ObexStage::Finished;
        progress.outcome = outcome;
        progress.detail = detail;
        progress.transferred = outcome == ObexOutcome::Sent ? size : 0;
    } else {
        progress.stage = ObexStage::Sending;
        progress.size = size;
        progress.transferred = size * static_cast<uint64_t>(played) / static_cast<uint64_t>(steps);
    }
    return progress;
}
