#pragma once

#include <qpdf/QPDFObjectHandle.hh>
#include <vector>

// Hangs the outline item dictionaries `items`, in order, below `parent` (the outline's root or
// an item): each gets its /Parent, /Prev and /Next, the parent its /First and /Last. Counts are
// the caller's.
void linkOutlineItems(QPDFObjectHandle parent, const std::vector<QPDFObjectHandle> &items);
