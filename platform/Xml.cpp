#include "platform/Xml.h"

#include "platform/AtomicFile.h"
#include "platform/Files.h"
#include "platform/TextCodec.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <pugixml.hpp>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_set>
#include <utility>

namespace {

pugi::xml_node N(pugi::xml_node_struct* node) {
  return pugi::xml_node(node);
}

bool IsTextNode(const pugi::xml_node& n) {
  return n.type() == pugi::node_pcdata || n.type() == pugi::node_cdata;
}

std::string Lowered(std::string_view s) {
  std::string out(s);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); });
  return out;
}

// The encoding named by a leading declaration, in lower case; empty when there is none.
std::string DeclaredEncoding(std::string_view text) {
  if (!text.starts_with("<?xml")) return {};
  std::size_t end = text.find("?>");
  std::string_view decl = text.substr(0, end);
  std::size_t key = decl.find("encoding");
  if (key == std::string_view::npos) return {};
  std::size_t quote = decl.find_first_of("\"'", key);
  if (quote == std::string_view::npos) return {};
  std::size_t close = decl.find(decl[quote], quote + 1);
  if (close == std::string_view::npos) return {};
  return Lowered(decl.substr(quote + 1, close - quote - 1));
}

bool DeclaresSingleByteCodePage(std::string_view bytes) {
  const std::string encoding = DeclaredEncoding(bytes);
  return encoding == "windows-1252" || encoding == "iso-8859-1" || encoding == "latin1" ||
         encoding == "iso-8859-15" || encoding == "cp1252";
}

// Bytes of a file as UTF-8 text for the parser: byte-order marks are honoured, a declared
// single-byte code page or bytes that are not UTF-8 are read as Windows-1252.
std::string AsUtf8(std::string_view bytes) {
  if (bytes.starts_with("\xEF\xBB\xBF") || bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF"))
    return DecodeTextFile(bytes);
  if (DeclaresSingleByteCodePage(bytes)) return Windows1252ToUtf8(bytes);
  return DecodeTextFile(bytes);
}

std::string Where(std::string_view text, std::ptrdiff_t offset) {
  if (offset < 0) offset = 0;
  auto end = std::min(static_cast<std::size_t>(offset), text.size());
  std::size_t line = 1, column = 1;
  for (std::size_t i = 0; i < end; ++i) {
    if (text[i] == '\n') {
      ++line;
      column = 1;
    } else if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
      ++column;
    }
  }
  return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

// Walking a tree through the library's accessors costs a call per step (a test, a name, the next
// one), more than the work done with them; rule tables hold thousands of attributes. pugixml 1.13
// (not compact, not wide) keeps nodes and attributes as these records, so the walks can follow them
// directly. Whether the records hold is checked once against the accessors; if not, they are used.
struct TAttrRecord {
  std::uintptr_t Header;
  char* Name;
  char* Value;
  TAttrRecord* PrevCyclic;
  TAttrRecord* Next;
};

// Set in an attribute's header when its name or value was given after parsing (or is shared with a
// copy); clear when both still lie in the parsed text.
constexpr std::uintptr_t InTextFlags = 0x70;

struct TNodeRecord {
  std::uintptr_t Header; // the low four bits hold the node type
  char* Name;
  char* Value;
  TNodeRecord* Parent;
  TNodeRecord* FirstChild;
  TNodeRecord* PrevSiblingCyclic;
  TNodeRecord* NextSibling;
  TAttrRecord* FirstAttribute;
};

#if PUGIXML_VERSION == 1130 && !defined(PUGIXML_COMPACT) && !defined(PUGIXML_WCHAR_MODE)
bool SameNodeRecord(const pugi::xml_node& n) {
  const auto* r = reinterpret_cast<const TNodeRecord*>(n.internal_object());
  auto same = [](const void* record, const void* node) { return record == node; };
  return r && static_cast<int>(r->Header & 15) == static_cast<int>(n.type()) &&
         same(r->Parent, n.parent().internal_object()) &&
         same(r->FirstChild, n.first_child().internal_object()) &&
         same(r->NextSibling, n.next_sibling().internal_object()) &&
         same(r->FirstAttribute, n.first_attribute().internal_object()) &&
         (n.type() != pugi::node_element || r->Name == n.name());
}

bool RecordsMatchLibrary() {
  pugi::xml_document doc;
  if (!doc.load_string(
          "<?xml version='1.0'?><!--c--><r a='1' bb='' ccc='333'><s t='u'>v<![CDATA[w]]></s><?p q?><x/></r>",
          pugi::parse_default | pugi::parse_comments | pugi::parse_pi | pugi::parse_declaration))
    return false;
  // Every node of the document, the document itself included, against its record.
  std::vector<pugi::xml_node> nodes{doc};
  for (std::size_t i = 0; i < nodes.size(); ++i)
    for (pugi::xml_node child : nodes[i].children())
      nodes.push_back(child);
  if (nodes.size() != 9) return false;
  for (const pugi::xml_node& n : nodes)
    if (!SameNodeRecord(n)) return false;
  pugi::xml_attribute a = doc.document_element().first_attribute();
  auto* r = reinterpret_cast<const TAttrRecord*>(a.internal_object());
  int count = 0;
  for (; a; a = a.next_attribute(), ++count) {
    if (!r || r->Name != a.name() || r->Value != a.value() || (r->Header & InTextFlags) != 0) return false;
    r = r->Next;
  }
  if (r != nullptr || count != 3) return false;
  // A name or value given later lives outside the text, and its record says so.
  pugi::xml_node row = doc.document_element();
  row.first_attribute().set_name("a name longer than the text's");
  row.last_attribute().set_value("a value longer than the text's");
  auto flags = [](const pugi::xml_attribute& x) {
    return reinterpret_cast<const TAttrRecord*>(x.internal_object())->Header & InTextFlags;
  };
  return flags(row.first_attribute()) != 0 && flags(row.last_attribute()) != 0;
}
#else
bool RecordsMatchLibrary() {
  return false;
}
#endif

bool UseRecords() {
  static const bool use = RecordsMatchLibrary();
  return use;
}

// The steps of a walk, through the records (true) or through the accessors (false). Names and
// values are never null.
template <bool Records> struct TWalk;

template <> struct TWalk<true> {
  using TNode = const TNodeRecord*;
  using TAttr = const TAttrRecord*;
  static TNode Node(pugi::xml_node_struct* n) { return reinterpret_cast<TNode>(n); }
  static pugi::xml_node_struct* Handle(TNode n) {
    return reinterpret_cast<pugi::xml_node_struct*>(const_cast<TNodeRecord*>(n));
  }
  static bool IsElement(TNode n) { return (n->Header & 15) == pugi::node_element; }
  static TNode FirstChild(TNode n) { return n->FirstChild; }
  static TNode NextSibling(TNode n) { return n->NextSibling; }
  static TNode Parent(TNode n) { return n->Parent; }
  static TAttr FirstAttribute(TNode n) { return n->FirstAttribute; }
  static TAttr Next(TAttr a) { return a->Next; }
  static const char* Name(TAttr a) { return a->Name ? a->Name : ""; }
  static const char* Value(TAttr a) { return a->Value ? a->Value : ""; }
  // How many bytes from the name on may be read: a name and value still in the parsed text lie in
  // one buffer, the name first. 0 when that is not known.
  static std::size_t NameReach(TAttr a) {
    if ((a->Header & InTextFlags) != 0 || !a->Name || a->Value <= a->Name) return 0;
    return static_cast<std::size_t>(a->Value - a->Name);
  }
  static const char* Name(TNode n) { return n->Name ? n->Name : ""; }
  static bool IsText(TNode n) {
    const auto type = n->Header & 15;
    return type == pugi::node_pcdata || type == pugi::node_cdata;
  }
  static const char* Value(TNode n) { return n->Value ? n->Value : ""; }
};

template <> struct TWalk<false> {
  using TNode = pugi::xml_node;
  using TAttr = pugi::xml_attribute;
  static TNode Node(pugi::xml_node_struct* n) { return pugi::xml_node(n); }
  static pugi::xml_node_struct* Handle(TNode n) { return n.internal_object(); }
  static bool IsElement(TNode n) { return n.type() == pugi::node_element; }
  static TNode FirstChild(TNode n) { return n.first_child(); }
  static TNode NextSibling(TNode n) { return n.next_sibling(); }
  static TNode Parent(TNode n) { return n.parent(); }
  static TAttr FirstAttribute(TNode n) { return n.first_attribute(); }
  static TAttr Next(TAttr a) { return a.next_attribute(); }
  static const char* Name(TAttr a) { return a.name(); }
  static const char* Value(TAttr a) { return a.value(); }
  static std::size_t NameReach(TAttr) { return 0; }
  static const char* Name(TNode n) { return n.name(); }
  static bool IsText(TNode n) { return IsTextNode(n); }
  static const char* Value(TNode n) { return n.value(); }
};

// Measured in line: the texts are short and a call costs more than the loop.
std::size_t Length(const char* s) {
  const char* e = s;
  while (*e != '\0')
    ++e;
  return static_cast<std::size_t>(e - s);
}

// The stored name is exactly `name`; compared byte by byte without measuring it first.
bool SameName(const char* stored, std::string_view name) {
  for (char c : name)
    if (c == '\0' || *stored++ != c) return false;
  return *stored == '\0';
}

// Equal texts, compared in line: names that share their first byte differ within a few more.
bool SameCString(const char* a, const char* b) {
  while (*a != '\0' && *a == *b) {
    ++a;
    ++b;
  }
  return *a == *b;
}

// An element that names one attribute twice makes the document invalid; the parser lets it pass.
// One walk over the parsed tree, without recursion so that deep nesting cannot exhaust the stack.
// Rows hold a handful of attributes: comparing each name with those before it (first byte first)
// costs less than anything else; an element with many attributes gets a hash set instead.
template <class W> std::string DuplicateAttributeIn(pugi::xml_node_struct* root) {
  constexpr std::size_t Few = 16;
  const char* names[Few];
  std::unordered_set<std::string_view> many;
  typename W::TNode node = W::FirstChild(W::Node(root));
  while (node) {
    std::size_t count = 0;
    // First bytes seen in this element (folded onto 64 bits, which keeps the letters apart): only a
    // name whose first byte may have come before is compared.
    std::uint64_t firsts = 0;
    for (typename W::TAttr a = W::FirstAttribute(node); a; a = W::Next(a)) {
      const char* name = W::Name(a);
      if (count < Few) {
        const std::uint64_t bit = std::uint64_t{1} << (static_cast<unsigned char>(name[0]) & 63);
        if (firsts & bit) {
          for (std::size_t i = 0; i < count; ++i)
            if (names[i][0] == name[0] && (name[0] == '\0' || SameCString(names[i] + 1, name + 1)))
              return "Attribute \"" + std::string(name) + "\" appears twice in element \"" + W::Name(node) +
                     "\"";
        }
        firsts |= bit;
        names[count++] = name;
        continue;
      }
      if (count++ == Few) {
        many.clear();
        many.insert(names, names + Few);
      }
      if (!many.insert(name).second)
        return "Attribute \"" + std::string(name) + "\" appears twice in element \"" + W::Name(node) + "\"";
    }
    if (typename W::TNode child = W::FirstChild(node)) {
      node = child;
      continue;
    }
    while (node && !W::NextSibling(node))
      node = W::Parent(node);
    if (node) node = W::NextSibling(node);
  }
  return {};
}

std::string DuplicateAttribute(const pugi::xml_document& doc) {
  pugi::xml_node_struct* root = doc.internal_object();
  return UseRecords() ? DuplicateAttributeIn<TWalk<true>>(root) : DuplicateAttributeIn<TWalk<false>>(root);
}

// Equal bytes, short runs compared as two overlapping words.
[[gnu::always_inline]] inline bool SameBytes(const char* a, const char* b, std::size_t n) {
  if (n >= 8 && n <= 16) {
    std::uint64_t a0, a1, b0, b1;
    std::memcpy(&a0, a, 8);
    std::memcpy(&a1, a + n - 8, 8);
    std::memcpy(&b0, b, 8);
    std::memcpy(&b1, b + n - 8, 8);
    return ((a0 ^ b0) | (a1 ^ b1)) == 0;
  }
  if (n >= 4 && n < 8) {
    std::uint32_t a0, a1, b0, b1;
    std::memcpy(&a0, a, 4);
    std::memcpy(&a1, a + n - 4, 4);
    std::memcpy(&b0, b, 4);
    std::memcpy(&b1, b + n - 4, 4);
    return ((a0 ^ b0) | (a1 ^ b1)) == 0;
  }
  return std::memcmp(a, b, n) == 0;
}

// The name after the last one found is tried first: a row whose attributes come in the order of
// `names` costs one comparison each. A name still in the parsed text is compared a word at a time
// in place, as far as its value allows; any other is measured first.
template <class W>
std::size_t AttributeValuesIn(pugi::xml_node_struct* node, std::span<const std::string_view> names,
                              std::span<std::string_view> values) {
  const std::size_t n = names.size();
  std::size_t next = 0, taken = 0;
  for (typename W::TAttr a = W::FirstAttribute(W::Node(node)); a; a = W::Next(a)) {
    const char* name = W::Name(a);
    const std::size_t reach = W::NameReach(a);
    const std::size_t size = reach == 0 ? std::strlen(name) : 0;
    std::size_t i = next;
    for (std::size_t k = 0; k < n; ++k, i = i + 1 == n ? 0 : i + 1) {
      // The length first: a terminator right after the wanted length, or the measured length.
      const std::size_t want = names[i].size();
      if (reach != 0 ? want >= reach || name[want] != '\0' : want != size) continue;
      if (!SameBytes(name, names[i].data(), want)) continue;
      const char* value = W::Value(a);
      values[i] = std::string_view(value, Length(value));
      next = i + 1 == n ? 0 : i + 1;
      ++taken;
      break;
    }
  }
  return taken;
}

// Parameter files hold dozens of elements looked up one by one: the first byte rules out most.
template <class W> pugi::xml_node_struct* ChildNamed(pugi::xml_node_struct* node, std::string_view name) {
  const char first = name.empty() ? '\0' : name[0];
  for (typename W::TNode c = W::FirstChild(W::Node(node)); c; c = W::NextSibling(c)) {
    if (!W::IsElement(c)) continue;
    const char* stored = W::Name(c);
    if (stored[0] == first && SameName(stored, name)) return W::Handle(c);
  }
  return nullptr;
}

template <class W> std::string TextOf(pugi::xml_node_struct* node) {
  std::string text;
  for (typename W::TNode c = W::FirstChild(W::Node(node)); c; c = W::NextSibling(c))
    if (W::IsText(c)) text += W::Value(c);
  return text;
}

template <class W> pugi::xml_node_struct* ElementFrom(typename W::TNode n) {
  while (n && !W::IsElement(n))
    n = W::NextSibling(n);
  return n ? W::Handle(n) : nullptr;
}

// Bytes that the parser cannot take as they are: a byte-order mark, a declared single-byte code
// page, or bytes that are not UTF-8.
bool NeedsDecoding(std::string_view bytes) {
  if (bytes.starts_with("\xEF\xBB\xBF") || bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF"))
    return true;
  if (DeclaresSingleByteCodePage(bytes)) return true;
  return !IsValidUtf8(bytes);
}

// The whole file in memory that pugixml may own (and free); null when it cannot be read.
char* ReadForParser(const std::string& path, std::size_t& size) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat st {};
  char* buffer = nullptr;
  if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
    size = static_cast<std::size_t>(st.st_size);
    buffer = static_cast<char*>(pugi::get_memory_allocation_function()(size + 1));
    std::size_t done = 0;
    while (buffer && done < size) {
      const ssize_t n = ::read(fd, buffer + done, size - done);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      done += static_cast<std::size_t>(n);
    }
    if (buffer && done != size) {
      pugi::get_memory_deallocation_function()(buffer);
      buffer = nullptr;
    }
  }
  ::close(fd);
  return buffer;
}

constexpr unsigned ParseOptions = pugi::parse_default | pugi::parse_comments | pugi::parse_ws_pcdata_single;

} // namespace

// --- TXmlNode ---------------------------------------------------------------------------------

std::string TXmlNode::Name() const {
  return Node ? N(Node).name() : "";
}

std::string TXmlNode::Text() const {
  if (!Node) return {};
  return UseRecords() ? TextOf<TWalk<true>>(Node) : TextOf<TWalk<false>>(Node);
}

void TXmlNode::SetText(std::string_view text) {
  if (!Node) return;
  pugi::xml_node node = N(Node);
  for (pugi::xml_node child = node.first_child(); child;) {
    pugi::xml_node next = child.next_sibling();
    if (IsTextNode(child)) node.remove_child(child);
    child = next;
  }
  if (!text.empty()) node.prepend_child(pugi::node_pcdata).set_value(std::string(text).c_str());
}

TXmlNode TXmlNode::Child(std::string_view name) const {
  if (!Node) return {};
  return TXmlNode(UseRecords() ? ChildNamed<TWalk<true>>(Node, name) : ChildNamed<TWalk<false>>(Node, name));
}

std::string TXmlNode::ChildText(std::string_view name, std::string_view def) const {
  TXmlNode child = Child(name);
  return child ? child.Text() : std::string(def);
}

std::vector<TXmlNode> TXmlNode::Children() const {
  std::vector<TXmlNode> out;
  if (!Node) return out;
  for (pugi::xml_node child : N(Node).children())
    if (child.type() == pugi::node_element) out.push_back(TXmlNode(child.internal_object()));
  return out;
}

TXmlNode TXmlNode::FirstChildElement() const {
  if (!Node) return {};
  if (UseRecords()) return TXmlNode(ElementFrom<TWalk<true>>(TWalk<true>::Node(Node)->FirstChild));
  return TXmlNode(ElementFrom<TWalk<false>>(N(Node).first_child()));
}

TXmlNode TXmlNode::NextSiblingElement() const {
  if (!Node) return {};
  if (UseRecords()) return TXmlNode(ElementFrom<TWalk<true>>(TWalk<true>::Node(Node)->NextSibling));
  return TXmlNode(ElementFrom<TWalk<false>>(N(Node).next_sibling()));
}

namespace {
bool IsDomChild(const pugi::xml_node& n) {
  return n.type() == pugi::node_element || IsTextNode(n);
}
} // namespace

TXmlNode TXmlNode::FirstChildNode() const {
  if (!Node) return {};
  for (pugi::xml_node child = N(Node).first_child(); child; child = child.next_sibling())
    if (IsDomChild(child)) return TXmlNode(child.internal_object());
  return {};
}

TXmlNode TXmlNode::NextSiblingNode() const {
  if (!Node) return {};
  for (pugi::xml_node next = N(Node).next_sibling(); next; next = next.next_sibling())
    if (IsDomChild(next)) return TXmlNode(next.internal_object());
  return {};
}

bool TXmlNode::IsElement() const {
  return Node && N(Node).type() == pugi::node_element;
}

std::string TXmlNode::Value() const {
  return Node && IsTextNode(N(Node)) ? N(Node).value() : "";
}

std::vector<TXmlNode> TXmlNode::Children(std::string_view name) const {
  std::vector<TXmlNode> out;
  if (!Node) return out;
  for (pugi::xml_node child : N(Node).children())
    if (child.type() == pugi::node_element && name == child.name())
      out.push_back(TXmlNode(child.internal_object()));
  return out;
}

std::vector<std::pair<std::string_view, std::string_view>> TXmlNode::Attributes() const {
  std::vector<std::pair<std::string_view, std::string_view>> out;
  if (Node)
    for (pugi::xml_attribute a : N(Node).attributes())
      out.emplace_back(a.name(), a.value());
  return out;
}

TXmlAttribute TXmlNode::FirstAttribute() const {
  return Node ? TXmlAttribute(N(Node).first_attribute().internal_object()) : TXmlAttribute();
}

std::size_t TXmlNode::AttributeValues(std::span<const std::string_view> names,
                                      std::span<std::string_view> values) const {
  names = names.first(std::min(names.size(), values.size()));
  if (!Node || names.empty()) return 0;
  return UseRecords() ? AttributeValuesIn<TWalk<true>>(Node, names, values)
                      : AttributeValuesIn<TWalk<false>>(Node, names, values);
}

const char* TXmlAttribute::Name() const {
  return Attr ? pugi::xml_attribute(Attr).name() : "";
}

const char* TXmlAttribute::Value() const {
  return Attr ? pugi::xml_attribute(Attr).value() : "";
}

TXmlAttribute TXmlAttribute::Next() const {
  return Attr ? TXmlAttribute(pugi::xml_attribute(Attr).next_attribute().internal_object()) : TXmlAttribute();
}

bool TXmlAttribute::IsNamed(std::string_view name) const {
  return Attr && SameName(pugi::xml_attribute(Attr).name(), name);
}

bool TXmlNode::HasAttribute(std::string_view name) const {
  if (!Node) return false;
  for (pugi::xml_attribute a : N(Node).attributes())
    if (SameName(a.name(), name)) return true;
  return false;
}

std::string TXmlNode::Attribute(std::string_view name, std::string_view def) const {
  if (Node)
    for (pugi::xml_attribute a : N(Node).attributes())
      if (SameName(a.name(), name)) return a.value();
  return std::string(def);
}

void TXmlNode::SetAttribute(std::string_view name, std::string_view value) {
  if (!Node) return;
  std::string n(name), v(value);
  pugi::xml_node node = N(Node);
  pugi::xml_attribute a = node.attribute(n.c_str());
  if (!a) a = node.append_attribute(n.c_str());
  a.set_value(v.c_str());
}

TXmlNode TXmlNode::AddChild(std::string_view name, std::string_view text) {
  if (!Node) return {};
  pugi::xml_node child = N(Node).append_child(std::string(name).c_str());
  if (!text.empty()) child.append_child(pugi::node_pcdata).set_value(std::string(text).c_str());
  return TXmlNode(child.internal_object());
}

// --- TXmlDocument -----------------------------------------------------------------------------

TXmlDocument::TXmlDocument() : Doc(std::make_unique<pugi::xml_document>()) {}
TXmlDocument::~TXmlDocument() = default;
TXmlDocument::TXmlDocument(TXmlDocument&& other) noexcept
    : Doc(std::exchange(other.Doc, std::make_unique<pugi::xml_document>())) {}
TXmlDocument& TXmlDocument::operator=(TXmlDocument&& other) noexcept {
  if (this != &other) std::swap(Doc, other.Doc);
  other.Clear();
  return *this;
}

TXmlLoadResult TXmlDocument::LoadFromFile(const std::string& path) {
  Clear();
  // A UTF-8 file is parsed where it was read, without a copy; the rest is decoded first, and a
  // document that fails is read again the plain way so that the error can name its line. Whether
  // the file exists is asked only when that fails.
  std::size_t size = 0;
  if (char* buffer = ReadForParser(path, size)) {
    // A NUL byte ends the text for the in-place parser but not for the copying one: such a file goes
    // the plain way, so a file and the same text are judged alike.
    if (!NeedsDecoding(std::string_view(buffer, size)) && !std::memchr(buffer, 0, size)) {
      if (Doc->load_buffer_inplace_own(buffer, size, ParseOptions, pugi::encoding_utf8) && Validate().empty())
        return {true, {}};
      Clear();
    } else {
      pugi::get_memory_deallocation_function()(buffer);
    }
  }
  if (!FileExists(path)) return {false, "The file \"" + path + "\" does not exist"};
  std::string bytes;
  if (!ReadFileBytes(path, bytes)) return {false, "The file \"" + path + "\" cannot be read"};
  TXmlLoadResult result = LoadFromString(AsUtf8(bytes));
  if (!result) result.Error = "\"" + path + "\": " + result.Error;
  return result;
}

std::string TXmlDocument::Validate() const {
  // The parser accepts what a strict one refuses: several top-level elements.
  int elements = 0;
  for (pugi::xml_node child : Doc->children())
    if (child.type() == pugi::node_element) ++elements;
  if (elements != 1) return elements == 0 ? "No document element" : "More than one document element";
  return DuplicateAttribute(*Doc);
}

TXmlLoadResult TXmlDocument::LoadFromBytes(std::string_view bytes) {
  return LoadFromString(AsUtf8(bytes));
}

TXmlLoadResult TXmlDocument::LoadFromString(std::string_view text) {
  Clear();
  pugi::xml_parse_result parsed =
      Doc->load_buffer(text.data(), text.size(), ParseOptions, pugi::encoding_utf8);
  if (!parsed) {
    std::string error = std::string(parsed.description()) + " at " + Where(text, parsed.offset);
    Clear();
    return {false, error};
  }
  if (std::string error = Validate(); !error.empty()) {
    Clear();
    return {false, error};
  }
  return {true, {}};
}

void TXmlDocument::Clear() {
  if (Doc)
    Doc->reset();
  else
    Doc = std::make_unique<pugi::xml_document>();
}

TXmlNode TXmlDocument::DocumentElement() const {
  if (!Doc) return {};
  pugi::xml_node root = Doc->document_element();
  return root ? TXmlNode(root.internal_object()) : TXmlNode();
}

TXmlNode TXmlDocument::CreateRoot(std::string_view name) {
  Clear();
  return TXmlNode(Doc->append_child(std::string(name).c_str()).internal_object());
}

void TXmlDocument::AddCommentAfterRoot(std::string_view comment) {
  pugi::xml_node root = Doc->document_element();
  pugi::xml_node node =
      root ? Doc->insert_child_after(pugi::node_comment, root) : Doc->append_child(pugi::node_comment);
  node.set_value(std::string(comment).c_str());
}

namespace {

// The parser's line-end rule reads a raw CR as LF, so a CR is written as a character reference.
// Attribute values come with their CR, LF and TAB already referenced, and the only comment the
// program writes holds none: every raw CR that reaches here belongs to element text.
class TXmlTextWriter : public pugi::xml_writer {
public:
  explicit TXmlTextWriter(std::string& out) : Out(out) {}
  void write(const void* data, size_t size) override {
    std::string_view chunk(static_cast<const char*>(data), size);
    for (std::size_t cr; (cr = chunk.find('\r')) != std::string_view::npos; chunk.remove_prefix(cr + 1)) {
      Out.append(chunk.substr(0, cr));
      Out += "&#13;";
    }
    Out.append(chunk);
  }

private:
  std::string& Out;
};

} // namespace

std::string TXmlDocument::SaveToString() const {
  std::string out;
  TXmlTextWriter writer(out);
  if (Doc) Doc->save(writer, "\t", pugi::format_indent | pugi::format_no_declaration, pugi::encoding_utf8);
  return out;
}

bool TXmlDocument::SaveToFile(const std::string& path, std::string* error) const {
  TWriteResult written = WriteFileAtomic(path, SaveToString());
  if (!written && error) *error = written.Error;
  return written.Ok;
}
