#include "platform/dsp/AudioEffect.h"

#include "platform/dsp/ChorusEffect.h"
#include "platform/dsp/EchoEffect.h"
#include "platform/dsp/ReverbEffect.h"

std::unique_ptr<AudioEffect> AudioEffect::Create(AudioEffectKind kind) {
    switch (kind) {
    case AudioEffectKind::Chorus:
        return std::make_unique<ChorusEffect>();
    case AudioEffectKind::Echo:
        return std::make_unique<EchoEffect>();
    case AudioEffectKind::Reverb:
        return std::make_unique<ReverbEffect>();
    }
    return nullptr;
}
