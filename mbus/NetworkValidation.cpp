#include "mbus/NetworkValidation.h"

#include "app/ULanguage.h"
#include "mbus/TypedNumber.h"

namespace {

bool In(std::int64_t v, std::int64_t low, std::int64_t high) {
  return v >= low && v <= high;
}

std::string Node_Message(int first, const TNodo& n, int second) {
  return Lang_Text(first) + n.Description + Lang_Text(second);
}

std::string Var_Message(int first, const TNodo& n, int second, const TVariabile& v, int third) {
  return Lang_Text(first) + n.Description + Lang_Text(second) + v.Description + Lang_Text(third);
}

bool Node_Address_Equals(const TNodo& n, std::int32_t ID, int type_ID) {
  return (type_ID == 1 ? n.Node_Sec : n.Node_Pri) == ID;
}

} // namespace

std::optional<std::string> Check_Node_ID(std::int32_t ID, int type_ID, const TNodi_List& nodes,
                                         const TNetworkSelection& sel) {
  for (std::size_t i = 0; i < nodes.size(); ++i) {
    const TNodo& n = nodes[i];
    if (n.MBus_Type == 0 || n.Node_ID_Type != type_ID || !Node_Address_Equals(n, ID, type_ID)) continue;
    if (static_cast<int>(i) != sel.IND_NODO) return Lang_Text(1892);
    // The selected node counts only when a new node is being added (a variable is selected then).
    if (sel.IND_VAR != -1) return Lang_Text(1891);
  }
  return std::nullopt;
}

std::optional<std::string> Check_Node_ID2(std::int32_t ID, int type_ID, const TNodi_List& nodes) {
  for (const TNodo& n : nodes)
    if (n.MBus_Type != 0 && n.Node_ID_Type == type_ID && Node_Address_Equals(n, ID, type_ID))
      return Lang_Text(1890);
  return std::nullopt;
}

std::vector<std::string> Controllo_Dati_New_Nodo(const TNodeBoxes& b, const TNodi_List& nodes,
                                                 const TNetworkSelection& sel) {
  std::vector<std::string> messages;
  auto fail = [&](int text) {
    messages.push_back(Lang_Text(text));
    return messages;
  };
  std::int64_t ns = -1, in = -1;
  if (b.Wireless) {
    if (!In(Typed_Or_Minus1(b.ManID), 0, 65535)) return fail(1845);
    if (!In(Typed64_Or_Minus1(b.Address), 0, 4294967295LL)) return fail(1846);
    if (!In(Typed_Or_Minus1(b.Version), 0, 255)) return fail(1847);
    if (!In(Typed_Or_Minus1(b.DevType), 0, 255)) return fail(1848);
    if (b.Key_Enable)
      for (int k = 0; k < 16; ++k)
        if (!In(Typed_Or_Minus1(b.Key[static_cast<std::size_t>(k)]), 0, 255)) return fail(1849 + k);
    ns = Typed_Or_Minus1(b.Node_State);
    in = Typed_Or_Minus1(b.Ident_Num);
    const std::int64_t rssi = Typed_Or_Minus1(b.RSSI), an = Typed_Or_Minus1(b.Access_Number);
    if (!In(ns, 0, 59999)) return fail(1865);
    if (!In(in, 0, 59999)) return fail(1866);
    if (!In(rssi, 0, 59999)) return fail(1867);
    if (!In(an, 0, 59999)) return fail(1868);
    auto same = [](std::int64_t x, std::int64_t y) { return x > 0 && y > 0 && x == y; };
    if (same(in, ns)) return fail(1869);
    if (same(in, rssi)) return fail(1870);
    if (same(in, an)) return fail(1871);
    if (same(ns, rssi)) return fail(1872);
    if (same(ns, an)) return fail(1873);
    if (same(rssi, an)) return fail(1874);
  } else {
    std::int32_t id;
    int type;
    if (b.Primary_Chosen) {
      id = static_cast<std::int32_t>(Typed_Or_Minus1(b.Primary_ID));
      if (!In(id, 0, 255)) return fail(1875);
      type = 0;
    } else {
      id = static_cast<std::int32_t>(Typed_Or_Minus1(b.Secondary_ID));
      if (!In(id, 0, 99999999)) return fail(1876);
      type = 1;
    }
    // A taken address refuses the node, but the checks below still run and may add their message.
    if (auto taken = Check_Node_ID(id, type, nodes, sel)) messages.push_back(*taken);
    if (b.Node_State_Ticked) {
      ns = Typed_Or_Minus1(b.Node_State);
      if (!In(ns, 0, 1536)) return fail(1877);
    }
    if (b.Ident_Num_Ticked) {
      in = Typed_Or_Minus1(b.Ident_Num);
      if (!In(in, 0, 1536)) return fail(1878);
    }
    if (ns > 0 && in > 0 && ns == in) return fail(1879);
  }

  std::int64_t msd = -1;
  if (b.MSD_Ticked) {
    msd = Typed_Or_Minus1(b.MSD_Register);
    if (!In(msd, 0, 1536)) return fail(1880);
    if (msd > 0 && in > 0 && msd == in) return fail(1881);
    if (msd > 0 && ns > 0 && msd == ns) return fail(1882);
  }
  if (msd > 0) {
    const std::int64_t length = Typed_Or_Minus1(b.MSD_Length), offset = Typed_Or_Minus1(b.MSD_Offset);
    if (!In(length, 1, 241)) return fail(1883);
    if (!In(offset, 0, 240)) return fail(1884);
    if (length + offset > 241) return fail(1885);
  }
  if (!b.Wireless && b.Access_Number_Ticked) {
    const std::int64_t an = Typed_Or_Minus1(b.Access_Number);
    if (!In(an, 0, 1536)) return fail(1886);
    if (an > 0 && in > 0 && an == in) return fail(1887);
    if (an > 0 && ns > 0 && an == ns) return fail(1888);
    if (an > 0 && msd > 0 && an == msd) return fail(1889);
  }
  return messages;
}

std::optional<std::string> Check_Registers(std::int32_t R, std::int32_t S, std::int32_t Y, int NewVar,
                                           const TNodi_List& nodes, const TNetworkSelection& sel) {
  // A time point block is six registers: first to first + 5.
  auto inBlock = [](std::int64_t v, std::int64_t first) { return first <= v && v <= first + 5; };
  for (std::size_t i = 0; i < nodes.size(); ++i) {
    const TNodo& n = nodes[i];
    if (n.Enable != 1) continue;
    const bool wireless = n.MBus_Type == 0;
    if (n.Node_State == R) return Node_Message(1787, n, 1788);
    if (n.Ident_Num == R) return Node_Message(1789, n, 1790);
    if (wireless && n.RSSI > 0 && n.RSSI == R) return Node_Message(1791, n, 1792);
    if (S > 0 && n.Node_State == S) return Node_Message(1793, n, 1794);
    if (S > 0 && n.Ident_Num == S) return Node_Message(1795, n, 1796);
    if (S > 0 && wireless && n.RSSI > 0 && n.RSSI == S) return Node_Message(1797, n, 1798);
    if (Y > 0 && inBlock(n.Node_State, Y)) return Node_Message(1799, n, 1800);
    if (Y > 0 && inBlock(n.Ident_Num, Y)) return Node_Message(1801, n, 1802);
    if (Y > 0 && wireless && n.RSSI > 0 && inBlock(n.RSSI, Y)) return Node_Message(1803, n, 1804);

    for (std::size_t j = 0; j < n.Var_List.size(); ++j) {
      const TVariabile& v = n.Var_List[j];
      if (!v.Enable) continue;
      if (NewVar == 0 && static_cast<int>(i) == sel.IND_NODO && static_cast<int>(j) == sel.IND_VAR) continue;
      if (v.PositionData == R) return Var_Message(1805, n, 1806, v, 1807);
      if (v.TP_Mod_Regs && inBlock(R, v.TP_Mod_Year)) return Var_Message(1811, n, 1812, v, 1813);
      if (S > 0 && v.PositionData == S) return Var_Message(1814, n, 1815, v, 1816);
      if (S > 0 && v.TP_Mod_Regs && inBlock(S, v.TP_Mod_Year)) return Var_Message(1820, n, 1821, v, 1822);
      if (Y > 0 && inBlock(v.PositionData, Y)) return Var_Message(1823, n, 1824, v, 1825);
      // Two time point blocks overlap when either starts within the other.
      if (Y > 0 && v.TP_Mod_Regs && (inBlock(v.TP_Mod_Year, Y) || inBlock(Y, v.TP_Mod_Year)))
        return Var_Message(1829, n, 1830, v, 1831);
    }
  }
  return std::nullopt;
}

std::vector<std::string> Controllo_Dati_New_Var(const TVariableBoxes& b, int newvar, const TNodi_List& nodes,
                                                const TNetworkSelection& sel) {
  auto fail = [](int text) { return std::vector<std::string>{Lang_Text(text)}; };
  const std::int64_t R = Typed_Or_Minus1(b.PositionData);
  if (!In(R, 1, 1536)) return fail(1835);
  if (!In(Typed64_Or_Minus1(b.Storage_Number), 0, 4294967295LL)) return fail(1838);
  if (!In(Typed64_Or_Minus1(b.Tariff), 0, 1048575)) return fail(1839);
  if (b.Dimension == Dimension_Variable_Length && !In(Typed_Or_Minus1(b.Length), 0, 191)) return fail(1840);
  std::int64_t Y = 0;
  if (b.Type_Of_Data == Type_Of_Data_Time_Point && b.TP_Ticked) {
    Y = Typed_Or_Minus1(b.TP_Year);
    if (!In(Y, 1, 59995)) return fail(1841);
  }
  if (Y > 0 && Y <= R && R <= Y + 5) return fail(1842);
  if (!In(Typed_Or_Minus1(b.Position), 1, 512)) return fail(1844);
  if (auto conflict =
          Check_Registers(static_cast<std::int32_t>(R), 0, static_cast<std::int32_t>(Y), newvar, nodes, sel))
    return {*conflict};
  return {};
}
