#include "gateway/LoRaWANRadio.h"

#include <gtest/gtest.h>
#include <regex>
#include <set>

namespace {

TEST(LoRaWANRadio, EachBandOffersItsDataRatesWithTheSeparatorsOfItsList) {
  // The separators as the lists describe them, one pattern per group of items.
  struct TBandPattern {
    const char* Band;
    std::size_t Count;
    std::vector<std::pair<std::size_t, const char*>> From; // first index a pattern applies to
  };
  const TBandPattern bands[] = {
      {"AS923", 8, {{0, R"(^\d\t- \S)"}}},
      {"AU915", 13, {{0, R"(^\d  - \S)"}, {9, R"(^\d\d - \S)"}}},
      {"EU868", 8, {{0, R"(^\d -\t\S)"}, {6, R"(^\d - \S)"}}},
      {"KR920", 6, {{0, R"(^\d - \S)"}, {1, R"(^\d -\t\S)"}}},
      {"IN865", 7, {{0, R"(^\d - \S)"}, {1, R"(^\d -\t\S)"}}},
      {"US915", 11, {{0, R"(^\d  -\t\S)"}, {7, R"(^\d\d - \S)"}}},
      {"US915-Hybrid", 11, {{0, R"(^\d  - \S)"}, {7, R"(^\d\d - \S)"}}},
  };
  ASSERT_EQ(LoRa_Bands().size(), std::size(bands));
  for (const TBandPattern& b : bands) {
    auto items = LoRa_DataRate_Items(b.Band);
    ASSERT_EQ(items.size(), b.Count) << b.Band;
    std::set<int> numbers;
    for (std::size_t i = 0; i < items.size(); ++i) {
      const char* pattern = nullptr;
      for (auto& [first, p] : b.From)
        if (i >= first) pattern = p;
      EXPECT_TRUE(std::regex_search(std::string(items[i].Text), std::regex(pattern)))
          << b.Band << " item " << i << ": " << items[i].Text;
      EXPECT_TRUE(std::string(items[i].Text).ends_with(" [bit/s]")) << items[i].Text;
      numbers.insert(LoRa_DataRate_Number(items[i].Text));
    }
    EXPECT_EQ(numbers.size(), items.size()) << b.Band << ": data-rate numbers repeat";
  }
}

TEST(LoRaWANRadio, MaximumPayloadIsLookedUpByBandAndExactDataRateText) {
  struct TCase {
    const char* Band;
    const char* DataRate;
    int Max;
  };
  const TCase cases[] = {
      {"AS923", "0\t- LoRa: SF12/125kHz 250 [bit/s]", 59},
      {"AS923", "2\t- LoRa: SF10/125kHz 980 [bit/s]", 59},
      {"AS923", "3\t- LoRa: SF9/125kHz 1760 [bit/s]", 123},
      {"AS923", "6\t- LoRa: SF7/250kHz 11000 [bit/s]", 230},
      {"AU915", "0  - LoRa: SF12/125kHz 250 [bit/s]", 51},
      {"AU915", "8  - LoRa: SF12/500kHz 980 [bit/s]", 33},
      {"AU915", "13 - LoRa: SF7/500kHz 21900 [bit/s]", 222},
      {"EU868", "0 -\tLoRa: SF12/125kHz 250 [bit/s]", 51},
      {"EU868", "5 -\tLoRa: SF7/125kHz 5470 [bit/s]", 222},
      {"EU868", "7 - FSK: 50kbps 50000 [bit/s]", 222},
      {"KR920", "0 - LoRa: SF12/125kHz 250 [bit/s]", 51},
      {"KR920", "5 -\tLoRa: SF7/125kHz 5470 [bit/s]", 222},
      {"IN865", "2 -\tLoRa: SF10/125kHz 980 [bit/s]", 51},
      {"IN865", "7 -\tFSK: 50kbps 50000 [bit/s]", 222},
      {"US915", "0  -\tLoRa: SF10/125kHz 980 [bit/s]", 11},
      {"US915", "1  -\tLoRa: SF9/125kHz 1760 [bit/s]", 53},
      {"US915", "2  -\tLoRa: SF8/125kHz 3125 [bit/s]", 125},
      {"US915", "3  -\tLoRa: SF7/125kHz 5470 [bit/s]", 242},
      {"US915", "9  -\tLoRa: SF11/500kHz 1760 [bit/s]", 109},
      {"US915-Hybrid", "0  - LoRa: SF10/125kHz 980 [bit/s]", 11},
      {"US915-Hybrid", "4  - LoRa: SF8/500kHz 12500 [bit/s]", 242},
      // A text of another band, another separator or another case gives nothing.
      {"EU868", "0\t- LoRa: SF12/125kHz 250 [bit/s]", 0},
      {"EU868", "0 - LoRa: SF12/125kHz 250 [bit/s]", 0},
      {"US915", "0  - LoRa: SF10/125kHz 980 [bit/s]", 0},
      {"AS923", "0\t- lora: SF12/125kHz 250 [bit/s]", 0},
      {"AS923", "", 0},
      {"as923", "0\t- LoRa: SF12/125kHz 250 [bit/s]", 0},
      {"", "0\t- LoRa: SF12/125kHz 250 [bit/s]", 0},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(Find_Max_PayLoad(c.Band, c.DataRate), c.Max) << c.Band << " / " << c.DataRate;
  EXPECT_TRUE(LoRa_DataRate_Items("").empty());
  EXPECT_TRUE(LoRa_DataRate_Items("us915").empty()); // the refill compares with letter case
}

TEST(LoRaWANRadio, TextsBecomeDeviceCodes) {
  const std::pair<const char*, int> bands[] = {
      {"AS923", 0},          {"AU915", 1},  {"EU868", 5},        {"KR920", 6},
      {"IN865", 7},          {"US915", 8},  {"US915-Hybrid", 9}, {" us915-hybrid ", 9},
      {"\tUs915-HyBrid", 9}, {"US 915", 0}, {"US915 Hybrid", 0}, {"", 0},
      {"CN470", 0},
  };
  for (auto [text, code] : bands)
    EXPECT_EQ(Get_LoRa_Band_Code(text), code) << '"' << text << '"';

  EXPECT_EQ(Get_LoRa_Network_Type("Private"), 0);
  EXPECT_EQ(Get_LoRa_Network_Type(" public "), 1);
  EXPECT_EQ(Get_LoRa_Network_Type("Pub"), 0);
  EXPECT_EQ(Get_LoRa_Activation("Activation by Personalization [ABP]"), 0);
  EXPECT_EQ(Get_LoRa_Activation(" over-the-air activation [otaa] "), 1);
  EXPECT_EQ(Get_LoRa_Activation("OTAA"), 0);
  // The transmission type is compared exactly.
  EXPECT_EQ(Get_LoRa_Confirmed("Confirmed"), 1);
  EXPECT_EQ(Get_LoRa_Confirmed("confirmed"), 0);
  EXPECT_EQ(Get_LoRa_Confirmed(" Confirmed"), 0);
  EXPECT_EQ(Get_LoRa_Confirmed("Unconfirmed"), 0);

  const std::pair<const char*, int> rates[] = {
      {"11 - LoRa: SF9/500kHz 7000 [bit/s]", 11},
      {"6\t- LoRa: SF7/250kHz 11000 [bit/s]", 6},
      {"8  -\tLoRa: SF12/500kHz 980 [bit/s]", 8},
      {"$A - hex", 10},
      {"LoRa without dash", 0},
      {"", 0},
      {"x - not a number", 0},
      {"-5 - leading dash", 0},
  };
  for (auto [text, number] : rates)
    EXPECT_EQ(LoRa_DataRate_Number(text), number) << '"' << text << '"';
}

TEST(LoRaWANRadio, FixedListsAreMatchedIgnoringCase) {
  EXPECT_EQ(Find_List_Item(LoRa_RF_Band_Items(), "us915-hybrid"), 6);
  EXPECT_EQ(Find_List_Item(LoRa_RF_Band_Items(), "US915"), 5);
  EXPECT_EQ(Find_List_Item(LoRa_RF_Band_Items(), " US915"), -1);
  EXPECT_EQ(Find_List_Item(LoRa_FPort_Items(), "VARIABLE"), 1);
  EXPECT_EQ(Find_List_Item(LoRa_FrequencySubBand_Items(), "9"), -1);
  EXPECT_EQ(Find_List_Item(LoRa_Network_Type_Items(), ""), -1);
}

} // namespace
