// A host application built against the installed library: it uses the toolkit's values and its
// web-service client's builders, and fails loudly if anything is off.
#include <orvane/core/OVServer.h>

#include <cstdio>

int main() {
    const ov::String param = ov::OVServer::createParam(ov::Dictionary{{"a", 1}, {"b", "x"}});
    if (param != ov::String("a=1&b=x")) {
        std::fprintf(stderr, "consumer: unexpected parameter text %s\n", param.toUtf8().c_str());
        return 1;
    }
    std::printf("consumer: %s\n", param.toUtf8().c_str());
    return 0;
}
