// The cue list's names of the sound kinds; see sound_cue.h.
#include "renderer/sound/sound_cue.h"

namespace lumora {

const char* soundKindName(SoundKind kind) {
    switch (kind) {
    case SoundKind::Boom: return "boom";
    case SoundKind::Pop: return "pop";
    case SoundKind::Stage2: return "stage2";
    case SoundKind::Crackle: return "crackle";
    case SoundKind::Launch: return "launch";
    case SoundKind::Fountain: return "fountain";
    case SoundKind::Pinwheel: return "pinwheel";
    case SoundKind::Glitter: return "glitter";
    }
    return "sound";
}

}  // namespace lumora
