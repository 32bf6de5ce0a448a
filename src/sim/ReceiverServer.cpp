#include "sim/ReceiverServer.h"

#include <poll.h>

#include <chrono>
#include <vector>

namespace kestrion {

namespace {

constexpr int kLoopMs = 5;

}  // namespace

int64_t SteadyNowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void ServeReceiver(IReceiverEndpoint& endpoint, CReceiverModel& model, const std::atomic<bool>& stop)
{
    std::vector<uint8_t> received;
    while (!stop) {
        pollfd wait{endpoint.WaitFd(), POLLIN, 0};
        poll(&wait, 1, kLoopMs);
        const int64_t now = SteadyNowMs();
        // The speed is taken before the read: a program changes it only after its bytes left.
        const int lineBaud = endpoint.ProgramBaud(model.Baud());
        received.clear();
        endpoint.Read(received);
        model.Receive(received, lineBaud);
        model.Advance(now);
        const size_t room = endpoint.Room(now, model.Baud());
        if (room > 0) {
            endpoint.Write(model.TakeOutput(room, endpoint.ProgramBaud(model.Baud())));
        }
        endpoint.DropStaleOutput(static_cast<size_t>(model.Baud() / 5));
    }
}

}  // namespace kestrion
