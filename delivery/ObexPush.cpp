#include "delivery/ObexPush.h"

#include "delivery/DeliveryMethod.h"
#include "platform/FailureLog.h"
#include "platform/MainLoop.h"

#include <cctype>

ObexPush::ObexPush() : ObexPush(CreateSystemObexClient()) {}

ObexPush::ObexPush(std::unique_ptr<ObexClient> obexClient) : client(std::move(obexClient)) {}

bool ObexPush::IsBluetoothAddress(const std::string& address) {
    if (address.size() != 17) {
        return false;
    }
    for (size_t i = 0; i < address.size(); ++i) {
        const bool colon = i % 3 == 2;
        if (colon ? address[i] != ':' : !std::isxdigit(static_cast<unsigned char>(address[i]))) {
            return false;
        }
    }
    return true;
}

DeliveryError ObexPush::Reason(ObexOutcome outcome) const {
    if (cancelRequested && outcome != ObexOutcome::Sent) {
        return DeliveryError::Cancelled;
    }
    switch (outcome) {
    case ObexOutcome::Sent:
        return DeliveryError::None;
    case ObexOutcome::Cancelled:
        return DeliveryError::Cancelled;
    case ObexOutcome::NoService:
        return DeliveryError::NoObexService;
    case ObexOutcome::Refused:
        return DeliveryError::Refused;
    case ObexOutcome::ServiceFailed:
    case ObexOutcome::Unreachable:
        break;
    }
    // obexd dies without BlueZ and fails fast on an adapter that is off: the computer's side
    // comes first.
    const DeliveryError computer = BluetoothReadinessError(client->Readiness());
    if (computer != DeliveryError::None) {
        return computer;
    }
    return outcome == ObexOutcome::Unreachable ? DeliveryError::Unreachable
                                               : DeliveryError::ObexServiceFailed;
}

bool ObexPush::Start(const std::string& toAddress, const std::string& filePath) {
    if (progress.stage != Stage::Idle) {
        return false;
    }
    address = toAddress;
    path = filePath;
    const bool started = client->Start(address, path);
    Current();
    return started;
}

void ObexPush::Cancel() {
    if (progress.stage == Stage::Finished || progress.stage == Stage::Idle) {
        return;
    }
    cancelRequested = true;
    client->Cancel();
}

const ObexPush::Progress& ObexPush::Current() const {
    if (progress.stage == Stage::Finished) {
        return progress;
    }
    const ObexProgress now = client->Current();
    progress.stage = now.stage;
    progress.transferred = now.transferred;
    progress.size = now.size;
    if (now.stage == Stage::Finished) {
        progress.error = Reason(now.outcome);
        if (progress.error != DeliveryError::None && progress.error != DeliveryError::Cancelled) {
            // obexd's words tell about the phone or obexd itself; where the computer lacks a
            // part, or obexd is missing, the reason says all, and the words go to the log only.
            const bool telling = progress.error == DeliveryError::Unreachable ||
                                 progress.error == DeliveryError::Refused ||
                                 progress.error == DeliveryError::ObexServiceFailed;
            progress.detail = telling ? now.detail : "";
            LogFailure("push " + path + " to " + address,
                       DescribeFailure({progress.error, now.detail, ""}));
        }
    }
    return progress;
}

void ObexPush::Iterate(bool mayBlock) {
    RunMainLoopOnce(mayBlock);
}
