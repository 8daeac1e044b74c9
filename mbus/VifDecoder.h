// What a data record means: its number from the data field, the VIF and VIFEs with their
// scaling, and the results written into the record.
#pragma once

#include "mbus/DecodedSlaves.h"

#include <array>
#include <cstdint>
#include <string>

// The bytes of the record being decoded, owned by each decode so two may run at once.
struct TRecordBytes {
  std::array<std::uint8_t, 256> Value{}; // value bytes as received, zeros after them
  std::array<std::uint8_t, 10> Vife{};   // VIFE bytes in received order, zeros after them
};

// Sets type_data, Type_Data_Vife, Desc_Type_Data and ValueStr of the record.
void Decode_VIF(std::uint8_t vif, std::uint8_t firstVife, TVariable_MBus& record, int nbyte,
                std::uint8_t lvar, int dataField, const TRecordBytes& bytes);

// The BCD number in the first n value bytes; a high nibble 0xF in the last byte makes it negative.
std::int64_t BCD_To_Int64(const TRecordBytes& bytes, int n);
std::int64_t Pow10(int n);
std::string Two_Digits(int number);
