// A host application built against the installed library: it uses the toolkit's values, its
// web-service client's builders and a phrase from the toolkit's own resources, and fails
// loudly if anything is off.
#include <orvane/core/OVServer.h>
#include <orvane/extensions/NSDate+TimeAgo.h>
#include <orvane/platform/files/Bundle.h>

#include <cstdio>

// Given the install's prefix as its argument, the consumer also checks that the resources came
// from inside it (and not, say, from the source tree of the build).
int main(int argc, char** argv) {
    const ov::String param = ov::OVServer::createParam(ov::Dictionary{{"a", 1}, {"b", "x"}});
    if (param != ov::String("a=1&b=x")) {
        std::fprintf(stderr, "consumer: unexpected parameter text %s\n", param.toUtf8().c_str());
        return 1;
    }
    // Without the installed resources the phrase falls back to its English key.
    ov::Bundle::setPreferredLanguages(std::vector<ov::String>{"ru"});
    const ov::String phrase = ov::NSDate_TimeAgo::timeAgo(ov::Date::now());
    if (phrase != ov::String("Только что")) {
        std::fprintf(stderr, "consumer: the toolkit's resources were not found (\"%s\")\n",
                     phrase.toUtf8().c_str());
        return 1;
    }
    const auto framework = ov::Bundle::frameworkBundle();
    if (argc > 1 && !framework->bundlePath().hasPrefix(ov::String(argv[1]) + "/")) {
        std::fprintf(stderr, "consumer: resources read from %s, outside %s\n",
                     framework->bundlePath().toUtf8().c_str(), argv[1]);
        return 1;
    }
    std::printf("consumer: %s, %s\n", param.toUtf8().c_str(), phrase.toUtf8().c_str());
    return 0;
}
