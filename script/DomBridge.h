#pragma once

// Scripts see the XML service's documents and nodes through the member
// names of the platform's XML DOM (documentElement, selectNodes,
// getAttribute, childNodes, ...), so a rule script written against that DOM
// runs unchanged. Two wrappers of one node are the same object for Is.

#include "Variant.h"
#include "XmlService.h"

namespace kvx::vbs {

// A node as a script object; Nothing for a null node. A document node is
// wrapped as its document.
Variant WrapNode(const kvx::xml::XmlNode& node);
Variant WrapDocument(const kvx::xml::XmlDocument& document);
// The node behind a DOM object (a document gives its document node); a null
// node for anything else, Nothing included.
kvx::xml::XmlNode UnwrapNode(const Variant& value);

// The error number scripts see for a failing DOM call (the platform's
// unspecified-failure code).
inline constexpr int32_t kErrDomFailure = static_cast<int32_t>(0x80004005);

}  // namespace kvx::vbs
