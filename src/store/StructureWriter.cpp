// Building the store file's records.
#include "store/StructureWriter.h"

#include "store/DateFormat.h"
#include "store/TNimbusNode.h"
#include "store/ValueText.h"

namespace nimbus::structure {

namespace {

class RecordBuilder {
public:
    explicit RecordBuilder(std::string &out) : out_(out) {}

    void text(const char *key, const std::string &value)
    {
        out_ += key;
        out_ += '=';
        out_ += value;
        out_ += "\r\n";
    }
    void number(const char *key, int value)
    {
        out_ += key;
        out_ += '=';
        values::appendInt(out_, value);
        out_ += "\r\n";
    }
    void flag(const char *key, bool value)
    {
        if (value)
            text(key, yes_);
    }
    void positive(const char *key, int value)
    {
        if (value > 0)
            number(key, value);
    }
    void unit(const char *key, int value)
    {
        if (value >= 0)
            number(key, value);
    }
    void nonEmpty(const char *key, const std::string &value)
    {
        if (!value.empty())
            text(key, value);
    }
    // A time is written only beside its date, and never as midnight (no time).
    void timeOf(const char *key, const std::string &date, const std::string &time)
    {
        if (!date.empty() && !dates::isNoTime(time))
            text(key, time);
    }

private:
    std::string &out_;
    const std::string yes_ = "Y";
};

}  // namespace

void AppendRecord(std::string &out, const TNimbusNode &node)
{
    RecordBuilder r(out);
    r.text("uni", node.uni);
    r.text("text", node.text);
    r.number("lev", node.lev);
    if (node.type != 0)
        r.number("type", node.type);
    r.flag("exp", node.exp);
    r.flag("sel", node.sel);
    r.flag("done", node.done);
    if (node.dac > 0) {
        r.number("dac", node.dac);
        r.number("dam", node.dam);
    }
    r.flag("urgent", node.urgent);
    r.flag("fav", node.fav);
    r.flag("sys", node.sys);
    r.flag("top", node.top);
    r.flag("topnode", node.topnode);
    r.flag("send", node.send);
    r.positive("ttype", node.ttype);
    r.positive("status", node.status);
    r.positive("oldttype", node.oldttype);
    r.positive("pri", node.pri);
    r.flag("recur", node.recur);
    r.flag("lock", node.lock);
    r.flag("dl", node.dl);
    r.nonEmpty("dlDate", node.dlDate);
    r.timeOf("dlTime", node.dlDate, node.dlTime);
    r.nonEmpty("rsDate", node.rsDate);
    r.timeOf("rsTime", node.rsDate, node.rsTime);
    r.positive("rno", node.rno);
    r.unit("rtype", node.rtype);
    if (!node.calpr)
        r.text("calpr", "N");
    r.positive("pr%", node.percent);
    if (node.prog)
        r.text("prog", "1");
    r.positive("flno", node.flno);
    r.unit("fltyp", node.fltyp);
    r.flag("auto", node.autoComplete);
    r.nonEmpty("fdate", node.fdate);
    r.timeOf("fTime", node.fdate, node.fTime);
    r.nonEmpty("cre", node.cre);
    r.nonEmpty("sta", node.sta);
    r.nonEmpty("from", node.from);
    r.nonEmpty("sent", node.sent);
    r.positive("durno", node.durno);
    r.unit("durtype", node.durtype);
}

void AppendIdLine(std::string &out, const std::string &id)
{
    out += "uni=";
    out += id;
    out += "\r\n";
}

}  // namespace nimbus::structure
