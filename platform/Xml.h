// XML documents for the program's files: load, walk, build and save. Nothing here throws.
#pragma once

#include <cstddef>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace pugi {
struct xml_node_struct;
struct xml_attribute_struct;
class xml_document;
} // namespace pugi

// A handle to an attribute of an element, for walking a row's attributes in document order
// without building a list: `for (TXmlAttribute a = row.FirstAttribute(); a; a = a.Next())`.
class TXmlAttribute {
public:
  TXmlAttribute() = default;
  explicit operator bool() const { return Attr != nullptr; }
  const char* Name() const;
  const char* Value() const;
  TXmlAttribute Next() const;
  // The name is exactly this (no measuring of the stored name first).
  bool IsNamed(std::string_view name) const;

private:
  friend class TXmlNode;
  explicit TXmlAttribute(pugi::xml_attribute_struct* attr) : Attr(attr) {}
  pugi::xml_attribute_struct* Attr = nullptr;
};

// A handle to an element of a TXmlDocument; a null handle answers every query with "nothing".
class TXmlNode {
public:
  TXmlNode() = default;
  explicit operator bool() const { return Node != nullptr; }
  bool IsNull() const { return Node == nullptr; }

  std::string Name() const;
  // Concatenated text of the element's own text children ("" for a null node).
  std::string Text() const;
  void SetText(std::string_view text);

  // First child element with this name (exact case), or a null node.
  TXmlNode Child(std::string_view name) const;
  // Text of the first child element with this name, or `def` when there is none.
  std::string ChildText(std::string_view name, std::string_view def = {}) const;
  std::vector<TXmlNode> Children() const; // element children in order
  // The element children one by one, without a list: a null node after the last.
  TXmlNode FirstChildElement() const;
  TXmlNode NextSiblingElement() const;
  std::vector<TXmlNode> Children(std::string_view name) const; // those with this name
  // Element and text children one by one, as a document object model counts child nodes
  // (comments and processing instructions are passed over); a null node after the last.
  TXmlNode FirstChildNode() const;
  TXmlNode NextSiblingNode() const;
  bool IsElement() const;
  // The characters of a text node ("" for an element).
  std::string Value() const;

  // Name and value of every attribute in document order; the views stay valid while the document
  // is unchanged. One pass over a row is much cheaper than one lookup per column.
  std::vector<std::pair<std::string_view, std::string_view>> Attributes() const;
  TXmlAttribute FirstAttribute() const;
  // One pass over the element's attributes: the value of each one named in `names` is stored at
  // the same index of `values` (a view valid while the document is unchanged); a name the element
  // lacks keeps what its slot holds. The name after the last one found is tried first, so a row
  // whose attributes come in the order of `names` costs one comparison each. Answers how many
  // attributes were taken.
  std::size_t AttributeValues(std::span<const std::string_view> names,
                              std::span<std::string_view> values) const;
  bool HasAttribute(std::string_view name) const;
  std::string Attribute(std::string_view name, std::string_view def = {}) const;
  void SetAttribute(std::string_view name, std::string_view value);

  // Appends a child element (optionally with text) and returns it.
  TXmlNode AddChild(std::string_view name, std::string_view text = {});

  bool operator==(const TXmlNode& other) const = default;

private:
  friend class TXmlDocument;
  explicit TXmlNode(pugi::xml_node_struct* node) : Node(node) {}
  pugi::xml_node_struct* Node = nullptr;
};

struct TXmlLoadResult {
  bool Ok = false;
  std::string Error; // parser's description with its offset, or why the file could not be read
  explicit operator bool() const { return Ok; }
};

class TXmlDocument {
public:
  TXmlDocument();
  ~TXmlDocument();
  TXmlDocument(TXmlDocument&&) noexcept;
  TXmlDocument& operator=(TXmlDocument&&) noexcept;

  // Replaces the content. On failure the document is empty and the result says why.
  TXmlLoadResult LoadFromFile(const std::string& path);
  TXmlLoadResult LoadFromString(std::string_view text);
  // The bytes of a file: byte-order marks and a declared single-byte code page are honoured.
  TXmlLoadResult LoadFromBytes(std::string_view bytes);
  void Clear();

  // The first element child of the document; declarations, comments and processing instructions
  // before it are skipped. Null when the document has no element.
  TXmlNode DocumentElement() const;
  // Starts a new document with this root element and returns it.
  TXmlNode CreateRoot(std::string_view name);
  // Adds a comment after the root element (the "SW_VERSION = ..." line of the table files).
  void AddCommentAfterRoot(std::string_view comment);

  // Text of the whole document in UTF-8, indented with tabs, without a declaration.
  std::string SaveToString() const;
  // Written through the atomic writer; false with a reason in `error` when it fails.
  bool SaveToFile(const std::string& path, std::string* error = nullptr) const;

private:
  // Why a parsed document is no valid one (several roots, an attribute named twice); empty if none.
  std::string Validate() const;

  std::unique_ptr<pugi::xml_document> Doc;
};
