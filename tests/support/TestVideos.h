#pragma once
// Small videos made once per test program with GStreamer's command-line tool, in a folder
// removed at exit. All are 32 x 24.
//
//   colour      Ogg/Theora, 2 s at 10 fps: red for the first second, blue for the second
//   long        Ogg/Theora, 61.2 s at 5 fps (test pattern)
//   shortClip   WebM/VP8 with a Vorbis tone, 0.6 s at 10 fps
//   notMedia    a text file
//
//   const auto& videos = ov::test::testVideos();
//   auto asset = ov::AVURLAsset::assetWithURL(ov::URL::fileURLWithPath(videos.colour));

#include <cstdlib>
#include <fstream>
#include <string>

#include "support/TemporaryDirectory.h"

namespace ov::test {

class TestVideos {
    // First: the paths below are made inside it.
    TemporaryDirectory m_folder;

  public:
    TestVideos()
        : colour(m_folder.file("colour.ogg").toUtf8()),
          long_(m_folder.file("long.ogg").toUtf8()),
          shortClip(m_folder.file("short.webm").toUtf8()),
          notMedia(m_folder.file("notes.ogg").toUtf8()) {
        const std::string raw = " ! video/x-raw,width=32,height=24,framerate=";
        made =
            run("concat name=c ! videoconvert ! theoraenc ! oggmux ! filesink location=" + colour +
                " videotestsrc pattern=red num-buffers=10" + raw + "10/1 ! c. " +
                "videotestsrc pattern=blue num-buffers=10" + raw + "10/1 ! c.") &&
            run("videotestsrc num-buffers=306" + raw + "5/1 ! theoraenc ! oggmux ! " +
                "filesink location=" + long_) &&
            run("webmmux name=m ! filesink location=" + shortClip + " videotestsrc num-buffers=6" +
                raw + "10/1 ! vp8enc ! m. " +
                "audiotestsrc num-buffers=6 samplesperbuffer=4410 ! audio/x-raw,rate=44100 ! "
                "audioconvert ! vorbisenc ! m.");
        std::ofstream(notMedia) << "These are notes, not a movie.\n";
    }

    const std::string colour;
    const std::string long_;
    const std::string shortClip;
    const std::string notMedia;
    // Whether GStreamer made them all.
    bool made = false;

  private:
    static bool run(const std::string& pipeline) {
        return std::system(("gst-launch-1.0 -q " + pipeline + " >/dev/null 2>&1").c_str()) == 0;
    }
};

inline const TestVideos& testVideos() {
    static const TestVideos videos;
    return videos;
}

}  // namespace ov::test
