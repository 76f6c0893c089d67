#!/usr/bin/python3
"""A plain scan of a Nimbus Desk data folder, written apart from the program to check its
search: reads Structure.dat, every topic's page list, details pages (RTF or plain) and
checklists, and for each query (one a line) prints the ids of the topics it finds, sorted.

A topic is found when every word or "phrase" of the query appears in one of its texts (title,
a details page, a checklist), none of its -excluded words or phrases appears in any of them,
and it passes the filters. Words are compared folded: lower case, accents removed.

usage: search_scan.py DATA_FOLDER QUERIES TODAY(YYYYMMDD) OUTPUT"""
import datetime
import os
import re
import sys
import unicodedata

TYPES = {"task": 4, "tasks": 4, "event": 3, "events": 3, "general": 2, "topic": 2,
         "info": 5, "information": 5, "note": 5, "idea": 6, "ideas": 6,
         "finance": 7, "finances": 7, "financial": 7}
STATUSES = {"notstarted": 1, "not-started": 1, "new": 1, "future": 1, "inprogress": 2,
            "in-progress": 2, "progress": 2, "started": 2, "completed": 3, "done": 3,
            "finished": 3, "onhold": 4, "on-hold": 4, "hold": 4, "waiting": 5}


def fold(text):
    decomposed = unicodedata.normalize("NFKD", text)
    return "".join(c for c in decomposed if not unicodedata.combining(c)).casefold()


def tokens(text):
    return re.findall(r"[^\W_]+", fold(text))


def pairs(path):
    """The key=value lines of one of the program's files."""
    with open(path, "rb") as f:
        for line in f.read().decode("utf-8", "replace").splitlines():
            if "=" in line:
                key, value = line.split("=", 1)
                yield key, value


def rtf_text(data):
    """The visible text of the RTF the test writes: tables skipped, escapes decoded."""
    text = data.decode("latin-1")
    if not text.lstrip().startswith("{\\rtf"):
        return data.decode("utf-8", "replace")
    out, hidden, stack, i = [], False, [], 0
    while i < len(text):
        c = text[i]
        if c == "{":
            stack.append(hidden)
            i += 1
        elif c == "}":
            hidden = stack.pop() if stack else False
            i += 1
        elif c == "\\":
            m = re.match(r"\\([a-zA-Z]+)(-?\d+)? ?", text[i:])
            if m:
                word, arg = m.group(1), m.group(2)
                i += m.end()
                if word in ("fonttbl", "colortbl", "stylesheet", "info", "pict"):
                    hidden = True
                elif word == "par" and not hidden:
                    out.append("\n")
                elif word == "u" and arg is not None:
                    if not hidden:
                        out.append(chr(int(arg) % 65536))
                    if i < len(text) and text[i] == "?":
                        i += 1
            elif text[i + 1:i + 2] == "'":
                if not hidden:
                    out.append(bytes([int(text[i + 2:i + 4], 16)]).decode("cp1252"))
                i += 4
            elif text[i + 1:i + 2] == "*":
                hidden = True
                i += 2
            else:
                if not hidden:
                    out.append(text[i + 1:i + 2])
                i += 2
        elif c in "\r\n":
            i += 1
        else:
            if not hidden:
                out.append(c)
            i += 1
    return "".join(out)


def read_topics(data):
    topics, section = [], ""
    current = None
    for key, value in pairs(os.path.join(data, "Structure.dat")):
        if key == "uni":
            current = {"uni": value, "text": "", "lev": 0, "ttype": 0, "status": 0,
                       "urgent": False, "due": ""}
            topics.append(current)
        elif current is None:
            continue
        elif key == "text":
            current["text"] = value
        elif key == "lev":
            current["lev"] = int(value)
        elif key in ("ttype", "status"):
            current[key] = int(value)
        elif key == "urgent":
            current["urgent"] = value == "Y"
        elif key == "dlDate":
            current["due"] = value
    for topic in topics:
        if topic["lev"] == 0:
            section = topic["text"]
        topic["section"] = section
        texts = [topic["text"]]
        page_list = os.path.join(data, "Packs", topic["uni"] + ".pkt")
        if os.path.exists(page_list):
            kind = None
            for key, value in pairs(page_list):
                if key == "con":
                    kind = int(value)
                elif key == "file" and kind == 0:
                    with open(os.path.join(data, "Text", value), "rb") as f:
                        texts.append(rtf_text(f.read()))
                elif key == "file" and kind == 1:
                    items = [v for k, v in pairs(os.path.join(data, "CheckList", value)) if k == "txt"]
                    texts.append("\n".join(items))
        topic["texts"] = [(words, set(words)) for words in map(tokens, texts)]
    return topics


def due_filter(value):
    if value in ("today", "overdue"):
        return (value, 0)
    m = re.fullmatch(r"([<>])(=?)(\d{1,5})([dwm]?)", value)
    if not m:
        return None
    days = int(m.group(3)) * {"": 1, "d": 1, "w": 7, "m": 30}[m.group(4)]
    if m.group(1) == "<":
        return ("within", days + 1 if m.group(2) else days)
    return ("beyond", days - 1 if m.group(2) else days)


def parse(query):
    """(terms, excluded, filters): terms as lists of folded tokens with a prefix flag."""
    terms, excluded, filters = [], [], {}
    pattern = r'(-)?(?:([A-Za-z]+):"([^"]*)"?|"([^"]*)"?(\*)?|(\S+))'
    for m in re.finditer(pattern, query):
        minus, name, quoted_value, phrase, star, word = m.groups()
        if name is not None:
            filters[fold(name)] = fold(quoted_value)
            continue
        prefix = bool(star)
        if phrase is None:
            if not minus and ":" in word[1:]:
                name, value = word.split(":", 1)
                name, value = fold(name), fold(value)
                if ((name == "type" and value in TYPES) or
                        (name == "status" and value in STATUSES) or
                        (name == "due" and due_filter(value)) or name == "section" and value or
                        (name == "is" and value == "urgent")):
                    filters[name] = value
                    continue
            if not minus and fold(word) == "urgent":
                filters["is"] = "urgent"
                continue
            if len(word) > 1 and word.endswith("*"):
                prefix, word = True, word[:-1]
            phrase = word
        words = tokens(phrase)
        if words:
            (excluded if minus else terms).append((words, prefix))
    return terms, excluded, filters


def holds(text, term):
    text, known = text
    words, prefix = term
    n = len(words)
    if n == 1 and not prefix:
        return words[0] in known
    if words[0] not in known and (n > 1 or not prefix):
        return False
    for at in range(len(text) - n + 1):
        if text[at:at + n - 1] != words[:-1]:
            continue
        last = text[at + n - 1]
        if last == words[-1] or (prefix and last.startswith(words[-1])):
            return True
    return False


def passes(topic, filters, today):
    if topic["lev"] == 0:
        return False
    for name, value in filters.items():
        if name == "type" and topic["ttype"] != TYPES[value]:
            return False
        if name == "status" and topic["status"] != STATUSES[value]:
            return False
        if name == "is" and not topic["urgent"]:
            return False
        if name == "section" and not fold(topic["section"]).startswith(value):
            return False
        if name == "due":
            if not re.fullmatch(r"\d{8}", topic["due"]):
                return False
            due = datetime.date(int(topic["due"][:4]), int(topic["due"][4:6]), int(topic["due"][6:]))
            days = (due - today).days
            op, limit = due_filter(value)
            if ((op == "within" and not 0 <= days < limit) or (op == "beyond" and not days > limit) or
                    (op == "today" and days != 0) or (op == "overdue" and not (days < 0 and topic["status"] != 3))):
                return False
    return True


def main():
    data, queries, today, output = sys.argv[1:5]
    today = datetime.date(int(today[:4]), int(today[4:6]), int(today[6:]))
    topics = read_topics(data)
    lines = []
    with open(queries, encoding="utf-8") as f:
        for query in f.read().splitlines():
            terms, excluded, filters = parse(query)
            found = []
            if terms or filters:
                for topic in topics:
                    if filters and not passes(topic, filters, today):
                        continue
                    texts = topic["texts"]
                    if all(any(holds(t, term) for t in texts) for term in terms) and \
                            not any(holds(t, term) for t in texts for term in excluded):
                        found.append(topic["uni"])
            lines.append(" ".join(sorted(found)))
    with open(output, "w", encoding="utf-8") as f:
        f.write("\n".join(lines) + "\n")


main()
