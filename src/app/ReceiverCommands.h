#pragma once
// The menu's receiver commands, carried out on a document's measured feed: each runs its
// dialog (after polling the receiver's current values where it has them), sends the payloads
// and follows any change of the line settings by reopening the port.
#include <cstdint>
#include <functional>
#include <span>

#include "dialogs/SendDataDialog.h"

namespace kestrion {

class CAppServices;
class CCommandDialog;
class CMeasuredFeed;

class CReceiverCommands {
public:
    explicit CReceiverCommands(CAppServices& services) : m_services(services) {}

    // Carries out a command of the table whose handler is the receiver; `sourceOpen` is the
    // frame's data-source-open flag.
    void Run(int commandId, CMeasuredFeed& feed, bool sourceOpen);
    // The answer to a parameter poll (zeros when none came): that command's dialog opens.
    void PollAnswered(CMeasuredFeed& feed, uint8_t subId, std::span<const uint8_t> record);
    // The poll commands show the response view through this.
    void SetShowView(std::function<void(int slot)> showView) { m_showView = std::move(showView); }

private:
    // What a command needs before it runs; without a serial port, sends go nowhere.
    enum class Needs { Nothing, SerialPort, OpenSource, OpenSerialPort };
    struct Command {
        int id;
        Needs needs;
        void (*run)(CReceiverCommands& commands, CMeasuredFeed& feed);
    };
    // Every command but the navigation parameter ones, which have a table of their own.
    static std::span<const Command> Table();

    // Runs a command dialog on a serial source and sends its payloads; true on OK.
    bool RunAndSend(CCommandDialog& dialog, CMeasuredFeed& feed);
    // A navigation parameter command: its dialog at once, or a poll for the current values.
    void ParameterCommand(CMeasuredFeed& feed, uint8_t mid);
    void ParameterDialog(CMeasuredFeed& feed, uint8_t mid, std::span<const uint8_t> record);
    void Poll(CMeasuredFeed& feed, std::span<const uint8_t> payload);
    void PollToFile(CMeasuredFeed& feed, bool almanac);
    void Upload(CMeasuredFeed& feed, bool almanac);
    void Initialize(CMeasuredFeed& feed);
    void SwitchToNmea(CMeasuredFeed& feed);
    void SetMainSerialPort(CMeasuredFeed& feed);
    void SetDgpsSerialPort(CMeasuredFeed& feed);
    void ConfigureUarts(CMeasuredFeed& feed);
    void Transmit(CMeasuredFeed& feed);
    void ShowView(int slot);

    CAppServices& m_services;
    std::function<void(int slot)> m_showView;
    // The last text and wrapper of "Send Data", for the program's run.
    SendDataMemory m_sendData;
};

}  // namespace kestrion
