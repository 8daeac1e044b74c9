// Helpers of the gateway tests: fixture files and golden images.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// Full path of a file in tests/data/gateway.
std::string Gateway_Data(const std::string& name);

// An image described by a golden file: lines of a decimal offset followed by hex bytes (anything
// after the bytes is a remark, "#" starts a comment line); every byte not listed is 0.
std::vector<std::uint8_t> Read_Golden(const std::string& name, std::size_t size);

// Offsets where two images differ, for readable failures.
std::string Describe_Differences(std::span<const std::uint8_t> actual,
                                 std::span<const std::uint8_t> expected);
