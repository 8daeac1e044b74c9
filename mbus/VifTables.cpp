#include "mbus/VifTables.h"

#include <array>

namespace {

TVifRow Row(std::string text, int code, int exponent = 0) {
  return {std::move(text), code, true, exponent, false};
}
TVifRow Uncoded(std::string text, int exponent = 0) {
  return {std::move(text), 0, false, exponent, false};
}

std::string TwoDigit(int n) {
  return (n < 10 ? "0" : "") + std::to_string(n);
}

const char* const Units4[4] = {"Seconds", "Minutes", "Hours", "Days"};
const char* const Plural4[4] = {"Second(s)", "Minute(s)", "Hour(s)", "Day(s)"};

} // namespace

TVifRow PrimaryVifRow(int e, int dataField) {
  const int n = e & 7, m = e & 3;
  if (e <= 0x07) return Row("Energy Wh", 0, n - 3);
  if (e <= 0x0F) return Row("Energy J", 1, n);
  if (e <= 0x17) return Row("Volume m3", 2, n - 6);
  if (e <= 0x1F) return Row("Mass kg", 3, n - 3);
  if (e <= 0x23) return Row(std::string("On Time ") + Units4[m], 4);
  if (e <= 0x27) return Row(std::string("Operating Time ") + Units4[m], 5);
  if (e <= 0x2F) return Row("Power W", 6, n - 3);
  if (e <= 0x37) return Row("Power J/h", 7, n);
  if (e <= 0x3F) return Row("Volume Flow m3/h", 8, n - 6);
  if (e <= 0x47) return Row("Volume Flow ext. m3/min", 9, n - 7);
  if (e <= 0x4F) return Row("Volume Flow ext. m3/s", 10, n - 9);
  if (e <= 0x57) return Row("Mass Flow kg/h", 11, n - 3);
  if (e <= 0x5B) return Row("Flow Temperature °C", 12, m - 3);
  if (e <= 0x5F) return Row("Return Temperature °C", 13, m - 3);
  if (e <= 0x63) return Row("Temperature Difference K", 14, m - 3);
  if (e <= 0x67) return Row("External Temperature °C", 15, m - 3);
  if (e <= 0x6B) return Row("Pressure bar", 16, m - 3);
  if (e <= 0x6D) {
    TVifRow row = Row("", 20);
    row.IsDate = true;
    switch (dataField) {
    case 2:
      row.Text = "Time Point Date (Type G)";
      break;
    case 4:
      row.Text = "Time Point Date and Time (Type F)";
      break;
    case 3:
      row.Text = "Time Point Extended Time Point (Type J)";
      break;
    case 6:
      row.Text = "Time Point Extended Date and Time Point (Type I)";
      break;
    default:
      break;
    }
    return row;
  }
  if (e == 0x6E) return Row("Units for H.C.A.", 22);
  if (e == 0x6F) return Uncoded("");
  if (e <= 0x73) return Row(std::string("Averaging Duration ") + Units4[m], 17);
  if (e <= 0x77) return Row(std::string("Actuality Duration ") + Units4[m], 18);
  switch (e) {
  case 0x78:
    return Row("Fabrication No", 23);
  case 0x79:
    return Row("Identification", 24);
  case 0x7A:
    return Row("Bus Address", 25);
  case 0x7B:
  case 0x7D:
    return Row("", 19);
  case 0x7C:
    return Row("Vif in following String", 21);
  case 0x7E:
    return Uncoded("Any VIF");
  default:
    return Uncoded("Manufacturer Specific");
  }
}

TVifRow ExtensionFdRow(int e) {
  const int m = e & 3, n = e & 15;
  if (e <= 0x03) return Row("Credit of (currency units)", 1, m - 3);
  if (e <= 0x07) return Row("Debit of (currency units)", 2, m - 3);
  if (e <= 0x22) {
    static const std::array<TVifRow, 27> Single = {
        Row("Unique message Identification", 3),
        Row("Device Type", 4),
        Row("Manufacturer", 5),
        Row("Parameter Set Identification", 6),
        Row("Model Version", 7),
        Row("Hardware Version Number", 8),
        Row("Metrology (Firmware) Version Number", 9),
        Row("Other Software Version Number", 10),
        Row("Customer LOcation", 11),
        Row("Customer", 12),
        Row("Access Code User", 13),
        Row("Access Code Operator", 14),
        Row("Access Code System Operator", 15),
        Row("Access Code Developer", 16),
        Row("Password", 17),
        Row("Error Flag (Binary)", 18),
        Row("Error Mask", 19),
        Row("Security Key", 126),
        Row("Digital Output (Binary)", 20),
        Row("Digital Input (Binary)", 21),
        Row("Baudrate [Baud]", 22),
        Row("Responce Delay Time [Bit-Times]", 23),
        Row("Retry", 24),
        Row("Remote Control (Device Specific e.g. Gas Value)", 127),
        Row("First Storage Number for Cyclic Storage", 25),
        Row("Last Storage Number for Cyclic Storage", 26),
        Row("Size of Storage Block", 27),
    };
    return Single[static_cast<std::size_t>(e - 0x08)];
  }
  if (e == 0x23) return Uncoded("Reserved");
  if (e <= 0x27) return Row(std::string("Storage Interval ") + Plural4[m], 28);
  switch (e) {
  case 0x28:
    return Row("Storage Interval Month(s)", 29);
  case 0x29:
    return Row("Storage Interval Year(s)", 30);
  case 0x2A:
    return Row("Operator Specific Data", 128);
  case 0x2B:
    return Row("Time Point Second (0 to 59)", 129);
  default:
    break;
  }
  if (e <= 0x2F) return Row(std::string("Duration Since Last Readout ") + Plural4[m], 31);
  if (e == 0x30) return Row("Start (Date/Time) of Tariff", 32);
  if (e <= 0x33) return Row(std::string("Duration of Tariff ") + Plural4[m], 33);
  if (e <= 0x37) return Row(std::string("Period of Tariff ") + Plural4[m], 34);
  switch (e) {
  case 0x38:
    return Row("Period of Tariff Month(s)", 35);
  case 0x39:
    return Row("Period of Tariff Year(s)", 36);
  case 0x3A:
    return Row("Dimensionless / No VIF", 37);
  case 0x3B:
    return Row("Data Container for Wireless M-Bus Protocol", 130);
  default:
    break;
  }
  if (e <= 0x3F) return Row(std::string("Period of Nominal Data Transmissions ") + Plural4[m], 131);
  if (e <= 0x4F) return Row("Electric Units Volts", 38, n - 9);
  if (e <= 0x5F) return Row("Electric Units A", 39, n - 12);
  if (e <= 0x67) {
    static const std::array<TVifRow, 8> Counters = {
        Row("Reset Counter", 40),
        Row("Cumulation Counter", 41),
        Row("Control Signal", 42),
        Row("Day of Week", 43),
        Row("Week Number", 44),
        Row("Time Point of Day Change", 45),
        Row("State of Parameter Activation", 46),
        Row("Special Supplier Information", 47),
    };
    return Counters[static_cast<std::size_t>(e - 0x60)];
  }
  if (e <= 0x6B) {
    static const char* const Units[4] = {"Hour(s)", "Day(s)", "Month(s)", "Year(s)"};
    return Row(std::string("Duration Since Last Cumulation ") + Units[m], 48);
  }
  if (e <= 0x6F) {
    static const char* const Units[4] = {"Hour(s)", "Day(s)", "Month(s)", "Year(s)"};
    return Row(std::string("Operating Time Battery ") + Units[m], 49);
  }
  switch (e) {
  case 0x70:
    return Row("Date and Time of Battery Change", 50);
  case 0x71:
    return Row("RF Level Units: dBm", 132);
  case 0x72:
    return Row("Daylight Savings (Beginning, Ending, Deviation) Data Type K", 133);
  case 0x73:
    return Row("Listening Window Management Data Type L", 134);
  case 0x74:
    return Row("Remaining Battery Life Time (Days)", 135);
  case 0x75:
    return Row("Number Times the Meter Was Stopped", 136);
  default:
    return Uncoded("Reserved");
  }
}

TVifRow ExtensionFbRow(int e) {
  const int n = e & 1, m = e & 3, k = e & 7;
  switch (e) {
  case 0x00:
  case 0x01:
    return Row("Energy MWh", 51, n - 1);
  case 0x02:
  case 0x03:
    return Row("Reactive Energy kVARh", 137, n);
  case 0x04:
  case 0x05:
    return Row("Apparent Energy kVAh", 138, n);
  case 0x08:
  case 0x09:
    return Row("Energy GJ", 52, n - 1);
  case 0x0C:
  case 0x0D:
  case 0x0E:
  case 0x0F:
    return Row("Energy MCal", 139, m - 1);
  case 0x10:
  case 0x11:
    return Row("Volume m3", 53, n + 2);
  case 0x14:
  case 0x15:
  case 0x16:
  case 0x17:
    return Row("Reactive Power kVAR", 140, m - 3);
  case 0x18:
  case 0x19:
    return Row("Volume t", 54, n + 2);
  case 0x1A:
  case 0x1B:
    return Row("Relative Humidity %", 141, n - 1);
  case 0x20:
    return Row("Volume Feet 3", 142);
  case 0x21:
    return Row("Volume 0,1 Feet 3", 55);
  case 0x22:
    return Row("Volume 0,1 American Gallon", 56);
  case 0x23:
    return Row("Volume 1 American Gallon", 57);
  case 0x24:
    return Row("Volume Flow 0,001 American Gallon/min", 58);
  case 0x25:
    return Row("Volume Flow 1 American Gallon/min", 59);
  case 0x26:
    return Row("Volume Flow 1 American Gallon/h", 60);
  case 0x28:
  case 0x29:
    return Row("Power MW", 61, n - 1);
  case 0x2A:
    return Row("Phase U-U (Volt. to Volt.)", 143);
  case 0x2B:
    return Row("Phase U-I (Volt. to Current)", 144);
  case 0x2C:
  case 0x2D:
  case 0x2E:
  case 0x2F:
    return Row("Frequency Hz", 145, m - 3);
  case 0x30:
  case 0x31:
    return Row("Power GJ/h", 62, n - 1);
  case 0x34:
  case 0x35:
  case 0x36:
  case 0x37:
    return Row("Apparent Power kVA", 146, m - 3);
  default:
    break;
  }
  if (e >= 0x58 && e <= 0x5B) return Row("Flow Temperature °F", 63, m - 3);
  if (e >= 0x5C && e <= 0x5F) return Row("Return Temperature °F", 64, m - 3);
  if (e >= 0x60 && e <= 0x63) return Row("Temperature Difference °F", 65, m - 3);
  if (e >= 0x64 && e <= 0x67) return Row("External Temperature °F", 66, m - 3);
  if (e >= 0x70 && e <= 0x73) return Row("Cold / Warm Temperature Limit °F", 67, m - 3);
  if (e >= 0x74 && e <= 0x77) return Row("Cold / Warm Temperature Limit °C", 68, m - 3);
  if (e >= 0x78 && e <= 0x7F) return Row("Cum. Max. of Active Power W", 69, k - 3);
  return Uncoded("Reserved");
}

TVifRow CombinableVifeRow(int e) {
  switch (e) {
  case 0x00:
    return Row(" - None", 108);
  case 0x01:
    return Row(" - Too Many DIFEs", 109);
  case 0x02:
    return Row(" - Storage Number not Implemented", 110);
  case 0x03:
    return Row(" - Unit Number not Implemented", 111);
  case 0x04:
    return Row(" - Tariff Number not Implemented", 112);
  case 0x05:
    return Row(" - Function not Implemented", 113);
  case 0x06:
    return Row(" - Data Class not Implemented", 114);
  case 0x07:
    return Row(" - Data Size not Implemented", 115);
  case 0x0B:
    return Row(" - Too Many VIFEs", 116);
  case 0x0C:
    return Row(" - Illegal VIF-Group", 117);
  case 0x0D:
    return Row(" - Illegal VIF-Exponent", 118);
  case 0x0E:
    return Row(" - VIF / DIF Mismatch", 119);
  case 0x0F:
    return Row(" - Unimplemented Action", 120);
  case 0x15:
    return Row(" - No Data Available (Undefined Value)", 121);
  case 0x16:
    return Row(" - Data Overflow", 122);
  case 0x17:
    return Row(" - Data Underflow", 123);
  case 0x18:
    return Row(" - Data Error", 124);
  case 0x1C:
    return Row(" - Premature End of Record", 125);
  case 0x20:
    return Row(" - Per Second", 70);
  case 0x21:
    return Row(" - Per Minute", 71);
  case 0x22:
    return Row(" - Per Hour", 72);
  case 0x23:
    return Row(" - Per Day", 73);
  case 0x24:
    return Row(" - Per Week", 74);
  case 0x25:
    return Row(" - Per Month", 75);
  case 0x26:
    return Row(" - Per Year", 76);
  case 0x27:
    return Row(" - Per Revolution / Measurement", 77);
  case 0x28:
    return Row(" - Increment per Input Pulse on Input Channel 0", 78);
  case 0x29:
    return Row(" - Increment per Input Pulse on Input Channel 1", 78);
  case 0x2A:
    return Row(" - Increment per Output Pulse on Output Channel 0", 79);
  case 0x2B:
    return Row(" - Increment per Output Pulse on Output Channel 1", 79);
  case 0x2C:
    return Row(" - Per Liter", 80);
  case 0x2D:
    return Row(" - Per m3", 81);
  case 0x2E:
    return Row(" - Per kg", 82);
  case 0x2F:
    return Row(" - Per K (Kelvin)", 83);
  case 0x30:
    return Row(" - Per kWh", 84);
  case 0x31:
    return Row(" - Per GJ", 85);
  case 0x32:
    return Row(" - Per kW", 86);
  case 0x33:
    return Row(" - Per (K*l)(Kelvin * Litre)", 87);
  case 0x34:
    return Row(" - Per V (Volt)", 88);
  case 0x35:
    return Row(" - Per (A) (Ampere)", 89);
  case 0x36:
    return Row(" - Multiplied by s", 90);
  case 0x37:
    return Row(" - Multiplied by s / V", 91);
  case 0x38:
    return Row(" - Multiplied by s / A", 92);
  case 0x39:
    return Row(" - Start Date (/Time) of", 93);
  case 0x3A:
    return Row(" - VIF Contains Uncorrect Unit or Value at Metering Conditions Instead of Converted Unit",
               94);
  case 0x3B:
    return Row(" - Accumulation Only if Positive Contributions (Forward Flow Contribution)", 95);
  case 0x3C:
    return Row(" - Accumulation of abs Value Only if Negative Contributions (Backward Flow)", 96);
  case 0x3D:
    return Row(" - Reserved for Alternate non-metric Unit System (according to Annex C)", 147);
  case 0x3E:
    return Row(" - Value at Base Conditions", 148);
  case 0x40:
    return Row(" - Lower Limit Value", 97);
  case 0x41:
    return Row(" - # of Exceeds of Lower Limit", 98);
  case 0x48:
    return Row(" - Upper Limit Value", 97);
  case 0x49:
    return Row(" - # of Exceeds of Upper Limit", 98);
  case 0x68:
    return Row(" - Value During Lower Limit Exceed", 149);
  case 0x69:
    return Row(" - Leakage Values", 150);
  case 0x6C:
    return Row(" - Value During Upper Limit Exceed", 149);
  case 0x6D:
    return Row(" - Overflow Values", 151);
  case 0x7D:
    return Row(" - Multiplicative Cerrection Factor: 10^(3)", 105, 3);
  case 0x7E:
    return Row(" - Future Value", 106);
  case 0x7F:
    return Row(" - Next VIFEs and Data of This Block Are Manufacturer Specific", 107);
  default:
    break;
  }
  const auto dated = [](std::string text, int code) {
    TVifRow row = Row(std::move(text), code);
    row.IsDate = true;
    return row;
  };
  switch (e) {
  case 0x42:
    return dated(" - Date(/Time) of Begin of First Lower Limit Exceed", 99);
  case 0x43:
    return dated(" - Date(/Time) of End of First Lower Limit Exceed", 99);
  case 0x46:
    return dated(" - Date(/Time) of Begin of Last Lower Limit Exceed", 99);
  case 0x47:
    return dated(" - Date(/Time) of End of Last Lower Limit Exceed", 99);
  case 0x4A:
    return dated(" - Date(/Time) of Begin of First Upper Limit Exceed", 99);
  case 0x4B:
    return dated(" - Date(/Time) of End of First Upper Limit Exceed", 99);
  case 0x4E:
    return dated(" - Date(/Time) of Begin of Last Upper Limit Exceed", 99);
  case 0x4F:
    return dated(" - Date(/Time) of End of Last Upper Limit Exceed", 99);
  case 0x6A:
    return dated(" - Date(/Time) of Begin of First", 102);
  case 0x6B:
    return dated(" - Date(/Time) of End of First", 102);
  case 0x6E:
    return dated(" - Date(/Time) of Begin of Last", 102);
  case 0x6F:
    return dated(" - Date(/Time) of End of Last", 102);
  default:
    break;
  }
  const std::string nn = TwoDigit(e & 3);
  if (e >= 0x50 && e <= 0x53) return Row(" - Duration " + nn + " of First Lower Limit Exceed", 100);
  if (e >= 0x54 && e <= 0x57) return Row(" - Duration " + nn + " of Last Lower Limit Exceed", 100);
  if (e >= 0x58 && e <= 0x5B) return Row(" - Duration " + nn + " of First Upper Limit Exceed", 100);
  if (e >= 0x5C && e <= 0x5F) return Row(" - Duration " + nn + " of Last Upper Limit Exceed", 100);
  if (e >= 0x60 && e <= 0x63) return Row(" - Duration " + nn + " of First", 101);
  if (e >= 0x64 && e <= 0x67) return Row(" - Duration " + nn + " of Last", 101);
  if (e >= 0x70 && e <= 0x77) {
    const int exponent = (e & 7) - 6;
    return Row(" - Moltiplicative Correction Factor: 10^(" + std::to_string(exponent) + ")", 103, exponent);
  }
  if (e >= 0x78 && e <= 0x7B) {
    const int exponent = (e & 3) - 3;
    return Row(" - Additive Correction Constant: 10^(" + std::to_string(exponent) + ") * Unit of VIF", 104,
               exponent);
  }
  return Uncoded(" - Reserved");
}

std::string SecondLevelVifeText(int e) {
  switch (e) {
  case 0x01:
    return " - At Phase L1";
  case 0x02:
    return " - At Phase L2";
  case 0x03:
    return " - At Phase L3";
  case 0x04:
    return " - At Neutral (N)";
  case 0x05:
    return " - Between Phase L1 and L2";
  case 0x06:
    return " - Between Phase L2 and L3";
  case 0x07:
    return " - Between Phase L3 and L1";
  case 0x10:
    return " - Accumulation of abs. Value for Both Positive and Negative Contribution (Absolute Count)";
  default:
    return "";
  }
}
