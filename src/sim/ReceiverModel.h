#pragma once
// A simulated receiver without a line: it takes the bytes the program sends and a clock, and
// collects what it sends back. It speaks the binary protocol or NMEA at its own baud, answers
// polls and commands as a receiver of its software generation, and with busy set now and then
// holds commands behind MID 18. Its DGPS beacon receiver reports its state and the station's
// corrections, and now and then it sends an error message.
#include <cstdint>
#include <deque>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "protocol/QuietHost.h"
#include "protocol/SerialFramer.h"
#include "sim/DgpsBeacon.h"
#include "sim/OutputQueue.h"
#include "sim/ReceiverErrors.h"
#include "sim/ReceiverMotion.h"
#include "sim/ReceiverSettings.h"
#include "sim/SimConfig.h"
#include "synth/ReceiverMessages.h"

namespace kestrion {

class CReceiverModel : private IFrameSink {
public:
    // Gets each received frame (upper-case hexadecimal bytes) or sentence (without CR LF).
    using Trace = std::function<void(std::string_view)>;

    CReceiverModel(const SimConfig& config, int64_t nowMs);

    void SetTrace(Trace trace) { m_trace = std::move(trace); }

    // Bytes the program sent with its line at lineBaud; at another baud than the receiver's
    // they are garbage.
    void Receive(std::span<const uint8_t> bytes, int lineBaud);

    // Runs the receiver's seconds up to now.
    void Advance(int64_t nowMs);

    // Up to maxBytes of what the receiver sent, garbage where the line's baud differs.
    std::vector<uint8_t> TakeOutput(size_t maxBytes, int lineBaud) { return m_output.Take(maxBytes, lineBaud); }

    int Baud() const { return m_baud; }
    SimProtocol Protocol() const { return m_protocol; }
    bool Holding() const { return m_holding; }

private:
    void OnFrame(std::span<const uint8_t> payload) override;
    void OnSentence(std::span<const uint8_t> sentence) override;

    void RunSecond();
    bool Backlogged() const;
    void SendBinarySecond(const ReceiverSecond& second);
    void SendNmeaSecond(const ReceiverSecond& second);
    void SendMultiGnssSecond(const ReceiverSecond& second);
    void SendDgpsSecond(const ReceiverSecond& second);
    void RunBusyCycle();

    void Execute(const Payload& command);
    void Reset(const Payload& command);
    // These answer before the line changes, at the baud the command came in at.
    void SwitchToNmea(const Payload& command);
    void ChangeBaud(const Payload& command, uint32_t baud);
    void ConfigureUarts(const Payload& command);
    void PollAlmanac();
    void PollEphemeris(const Payload& command);
    void PollParameters(const Payload& command);
    void ExecuteSentence(std::string_view body);

    void Send(const Payload& payload);
    void SendSentence(std::string_view sentence);

    SimConfig m_config;
    int m_baud;
    SimProtocol m_protocol;
    CQuietHost m_host;
    CSerialFramer m_framer;
    COutputQueue m_output;
    CReceiverMotion m_motion;
    CReceiverSettings m_settings;
    CDgpsBeacon m_beacon;
    CReceiverErrors m_errors;
    Trace m_trace;

    int64_t m_startMs;
    int m_seconds = 0;           // seconds run so far
    int m_restartSeconds = 0;    // quiet seconds left after a reset
    ReceiverSecond m_last{};
    uint8_t m_nmeaRates[4] = {1, 1, 1, 1};  // GGA, GSA, GSV, RMC: every n seconds, 0 off
    bool m_holding = false;
    // Speaks NMEA 4.11 for the configured systems; a binary receiver switched to NMEA does not.
    bool m_multiGnss = false;
    std::deque<Payload> m_held;
};

}  // namespace kestrion
