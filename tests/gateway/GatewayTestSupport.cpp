#include "GatewayTestSupport.h"

#include "platform/Files.h"

#include <gtest/gtest.h>
#include <sstream>

std::string Gateway_Data(const std::string& name) {
  return std::string(VELMARIC_TEST_DATA) + "/gateway/" + name;
}

std::vector<std::uint8_t> Read_Golden(const std::string& name, std::size_t size) {
  std::vector<std::uint8_t> image(size, 0);
  std::string text;
  EXPECT_TRUE(ReadFileBytes(Gateway_Data(name), text)) << name;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream words(line);
    std::size_t offset = 0;
    words >> offset;
    std::string word;
    while (words >> word && word.size() == 2 && std::isxdigit(static_cast<unsigned char>(word[0])) &&
           std::isxdigit(static_cast<unsigned char>(word[1]))) {
      EXPECT_LT(offset, size) << name << ": " << line;
      if (offset < size) image[offset++] = static_cast<std::uint8_t>(std::stoi(word, nullptr, 16));
    }
  }
  return image;
}

std::string Describe_Differences(std::span<const std::uint8_t> actual,
                                 std::span<const std::uint8_t> expected) {
  std::ostringstream out;
  int shown = 0;
  for (std::size_t i = 0; i < std::min(actual.size(), expected.size()) && shown < 20; ++i)
    if (actual[i] != expected[i]) {
      out << "offset " << i << ": " << int(actual[i]) << " instead of " << int(expected[i]) << "\n";
      ++shown;
    }
  if (actual.size() != expected.size()) out << "size " << actual.size() << " instead of " << expected.size();
  return out.str();
}
