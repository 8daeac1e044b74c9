#include "app/SerialPorts.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <string_view>
#include <system_error>
#include <tuple>

namespace fs = std::filesystem;

namespace {

constexpr std::array<std::string_view, 3> Families{"ttyS", "ttyUSB", "ttyACM"};
constexpr std::size_t MaxPorts = 256;

struct TCandidate {
  std::size_t Family = 0;
  bool Unnumbered = false; // a suffix that is not all digits sorts after the numbered ones
  unsigned long long Index = 0;
  std::string Name;

  auto Key() const { return std::tie(Family, Unnumbered, Index, Name); }
};

bool AllDigits(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A legacy UART slot is there whether or not a chip sits behind it; the kernel says "0" (unknown)
// for an empty one. A device without that file (USB, ACM) is taken as present.
bool EmptyUartSlot(const fs::path& ttyClass, const std::string& name) {
  std::ifstream type(ttyClass / name / "type");
  std::string value;
  return type && (type >> value) && value == "0";
}

} // namespace

std::vector<TSerialPort> Serial_Ports(const TSerialPortFolders& folders) {
  std::vector<TCandidate> found;
  std::error_code error;
  for (fs::directory_iterator it(folders.Devices, error), end; !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    std::error_code typeError;
    if (it->is_directory(typeError)) continue;
    const auto family = std::find_if(Families.begin(), Families.end(), [&](std::string_view prefix) {
      return name.size() > prefix.size() && name.starts_with(prefix);
    });
    if (family == Families.end()) continue;
    const std::string_view suffix = std::string_view(name).substr(family->size());
    TCandidate candidate{static_cast<std::size_t>(family - Families.begin()), !AllDigits(suffix), 0, name};
    if (!candidate.Unnumbered)
      candidate.Index = suffix.size() > 18 ? ~0ULL : std::stoull(std::string(suffix));
    if (*family == "ttyS" && EmptyUartSlot(folders.TtyClass, name)) continue;
    found.push_back(std::move(candidate));
  }
  std::sort(found.begin(), found.end(),
            [](const TCandidate& a, const TCandidate& b) { return a.Key() < b.Key(); });

  std::vector<TSerialPort> ports;
  for (const TCandidate& candidate : found) {
    if (ports.size() == MaxPorts) break;
    ports.push_back(
        {static_cast<int>(ports.size() + 1), (fs::path(folders.Devices) / candidate.Name).string()});
  }
  return ports;
}

std::vector<std::string> List_COM_Ports(const TSerialPortFolders& folders) {
  std::vector<std::string> numbers;
  for (const TSerialPort& port : Serial_Ports(folders))
    numbers.push_back(std::to_string(port.Number));
  return numbers;
}

std::string COM_Port_Device(int Number, const TSerialPortFolders& folders) {
  for (const TSerialPort& port : Serial_Ports(folders))
    if (port.Number == Number) return port.Device;
  return {};
}
