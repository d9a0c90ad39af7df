#include "dsp/AudioEffect.h"

#include "dsp/ChorusEffect.h"
#include "dsp/EchoEffect.h"
#include "dsp/ReverbEffect.h"

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
