// Details pages whose save failed: their text is kept here, shown again when the page is shown
// again, and written again with every later save until the write goes through, so that a
// failed save never loses what the user typed.
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

namespace nimbus {
class TNimbusNode;
}

namespace nimbus::pages {

class KeptPageEdits {
public:
    struct Edit {
        TNimbusNode *node = nullptr;
        int page = 0; // the page's number (uni) within the topic
        QByteArray bytes;
        QString error; // why the last write failed
    };

    // Keeps (or replaces) the text of a page whose write failed.
    void keep(TNimbusNode *node, int page, QByteArray bytes, QString error);
    std::optional<QByteArray> find(const TNimbusNode *node, int page) const;
    void remove(const TNimbusNode *node, int page);
    // The topic is going away with its pages.
    void forget(const TNimbusNode *node);

    const std::vector<Edit> &edits() const { return edits_; }
    bool empty() const { return edits_.empty(); }

private:
    std::vector<Edit> edits_;
};

} // namespace nimbus::pages
