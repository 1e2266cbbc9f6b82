#include "orvane/platform/media/AudioOutput.h"

#include <atomic>

namespace ov {
namespace {
std::atomic<AudioOutput> g_output{AudioOutput::Default};
}

AudioOutput audioOutput() {
    return g_output.load();
}
void setAudioOutput(AudioOutput output) {
    g_output.store(output);
}

}  // namespace ov
