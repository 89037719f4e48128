#include "outlinelinks.h"

void linkOutlineItems(QPDFObjectHandle parent, const std::vector<QPDFObjectHandle> &items)
{
    if (items.empty())
        return;
    for (size_t i = 0; i < items.size(); ++i) {
        QPDFObjectHandle item = items[i];
        item.replaceKey("/Parent", parent);
        if (i > 0)
            item.replaceKey("/Prev", items[i - 1]);
        if (i + 1 < items.size())
            item.replaceKey("/Next", items[i + 1]);
    }
    parent.replaceKey("/First", items.front());
    parent.replaceKey("/Last", items.back());
}
