#include "platform/fake/ScriptedInquiry.h"

bool ScriptedInquiry::SwitchOn() {
    ++switchOnCount;
    if (switchOnWorks && readiness == BluetoothReadiness::AdapterOff) {
        readiness = BluetoothReadiness::Ready;
        return true;
    }
    return false;
}

bool ScriptedInquiry::Start() {
    ++beginCount;
    played = 0;
    return beginSucceeds;
}

void ScriptedInquiry::Stop() {
    ++endCount;
}

BluetoothInquiry::Status ScriptedInquiry::Receive(int timeLeftMs, BluetoothInquiryDevice& device,
                                                  int& errorCode, InquiryWaitCallback waiting,
                                                  void* user) {
    ++receiveCount;
    timesLeft.push_back(timeLeftMs);
    if (played >= steps.size()) {
        return Status::NoMore;
    }
    const Step& step = steps[played++];
    if (clock != nullptr) {
        *clock += step.advanceMs;
    }
    // The wait callback runs while the pretend wait lasts, so it sees the advanced clock.
    if (waiting != nullptr) {
        waiting(user);
    }
    device = step.device;
    errorCode = step.errorCode;
    return step.status;
}
