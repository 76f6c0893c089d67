// Edits of pages whose save failed; see KeptPageEdits.h.
#include "shell/pages/KeptPageEdits.h"

#include <algorithm>

namespace nimbus::pages {

void KeptPageEdits::keep(TNimbusNode *node, int page, QByteArray bytes, QString error)
{
    for (Edit &edit : edits_) {
        if (edit.node == node && edit.page == page) {
            edit.bytes = std::move(bytes);
            edit.error = std::move(error);
            return;
        }
    }
    edits_.push_back({node, page, std::move(bytes), std::move(error)});
}

std::optional<QByteArray> KeptPageEdits::find(const TNimbusNode *node, int page) const
{
    for (const Edit &edit : edits_)
        if (edit.node == node && edit.page == page)
            return edit.bytes;
    return std::nullopt;
}

void KeptPageEdits::remove(const TNimbusNode *node, int page)
{
    std::erase_if(edits_, [&](const Edit &edit) { return edit.node == node && edit.page == page; });
}

void KeptPageEdits::forget(const TNimbusNode *node)
{
    std::erase_if(edits_, [&](const Edit &edit) { return edit.node == node; });
}

} // namespace nimbus::pages
