// vision-desk-stand-in: the local stand-in of the vision service that the demo variant talks to.
// HTTPS on 127.0.0.1 only, at the port and with the certificate the demo was built with; it answers
// the four endpoints with the service's success replies until SIGTERM or SIGINT.
#include <csignal>
#include <cstdio>
#include <exception>

#include "tests/support/VisionStandIn.h"

int main() {
    // Blocked before the server thread starts, so that only sigwait below receives them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGINT);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    try {
        vd::test::VisionStandIn service(VD_DEMO_API_KEY, VD_DEMO_SECRET_KEY, VD_DEMO_CERT_DIR "/server.pem",
                                        VD_DEMO_CERT_DIR "/server-key.pem", VD_DEMO_PORT);
        std::printf("vision-desk-stand-in: listening on https://%s\n", service.host().c_str());
        std::fflush(stdout);
        int received = 0;
        sigwait(&stopSignals, &received);
        service.stop();
        std::printf("vision-desk-stand-in: stopped after %zu requests\n", service.requestCount());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "vision-desk-stand-in: %s\n", e.what());
        return 1;
    }
    return 0;
}
