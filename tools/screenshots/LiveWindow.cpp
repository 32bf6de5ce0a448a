#include "LiveWindow.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>

#include <QEventLoop>
#include <QGuiApplication>
#include <QTimer>

namespace kestrion {
namespace {

std::filesystem::path MakeScratchFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "kestrion-pictures-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot make a scratch folder in " + std::filesystem::temp_directory_path().string());
    }
    return pattern;
}

}  // namespace

CLiveWindow::CLiveWindow(const std::string& extraIni, const SimConfig& config, CSimulatedReceiver::Link link)
    : m_folder(MakeScratchFolder()), m_receiver(config, link)
{
    const std::filesystem::path ini = m_folder / "kestrion-demo.ini";
    std::ofstream(ini) << "[Data Sources]\nDataSource=1\nMeasSource=1\nMeasSerialPort=" << m_receiver.Port()
                       << "\nMeasSerialBaud=38400\nMeasSerialDBits=8\nMeasSerialParity=NONE\nMeasSerialSBits=1\n"
                       << extraIni;
    // One window after the other: closing one must not end the program.
    QGuiApplication::setQuitOnLastWindowClosed(false);
    m_frame = std::make_unique<CMainFrame>(CProfile(ini), m_ui, m_clock, m_serialDevices, m_random);
    m_frame->show();
    m_frame->RunCommand(ID_OPEN_DATA_SOURCE);
}

CLiveWindow::~CLiveWindow()
{
    m_frame.reset();
    std::error_code error;
    std::filesystem::remove_all(m_folder, error);
}

void CLiveWindow::RunFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

}  // namespace kestrion
