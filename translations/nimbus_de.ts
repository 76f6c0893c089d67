<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AddCommand</name>
    <message>
        <source>Usage: nimbus-cli add TITLE [--under ID] [--type TYPE] [--due DATE [TIME]]
                            [--recur N UNIT] [--priority N] [--urgent] [--request-id ID]

Adds a topic as the last one below ID (the &quot;Topics&quot; section when no --under) and
prints its id. A new topic is a task unless --type names another type.

  --type TYPE      task, event, note, idea, finance or general
  --due DATE       DD/MM/YYYY (or the date order of your preferences), YYYY-MM-DD,
                   today, tomorrow, a weekday name, +3d, +2w; a time may follow,
                   as --due &quot;friday 14:30&quot; or --due friday 14:30
  --recur REPEAT   every N minutes, hours, days, weeks, months or years (&quot;2 weeks&quot;),
                   or a rule: weekdays, mon,wed,fri, &quot;every 2 weeks on mon,thu&quot;,
                   &quot;2nd tue&quot;, &quot;last fri&quot;, &quot;monthly on 15 x10&quot;,
                   &quot;weekly until 2027-06-30&quot; (quote a rule of several words)
  --priority N     1 (highest) to 9
  --urgent         flag it urgent
</source>
        <translation>Aufruf: nimbus-cli add TITEL [--under ID] [--type TYP] [--due DATUM [ZEIT]]
                            [--recur N EINHEIT] [--priority N] [--urgent] [--request-id ID]

Fügt ein Thema als letztes unter ID hinzu (ohne --under im Bereich „Topics“) und
gibt seine ID aus. Ein neues Thema ist eine Aufgabe, wenn --type keinen anderen Typ nennt.

  --type TYP       task, event, note, idea, finance oder general
  --due DATUM      TT/MM/JJJJ (oder die Datumsreihenfolge Ihrer Einstellungen), JJJJ-MM-TT,
                   today, tomorrow, ein englischer Wochentagsname, +3d, +2w; eine Uhrzeit
                   kann folgen: --due &quot;friday 14:30&quot; oder --due friday 14:30
  --recur WIEDERH. alle N minutes, hours, days, weeks, months oder years (&quot;2 weeks&quot;),
                   oder eine Regel: weekdays, mon,wed,fri, &quot;every 2 weeks on mon,thu&quot;,
                   &quot;2nd tue&quot;, &quot;last fri&quot;, &quot;monthly on 15 x10&quot;,
                   &quot;weekly until 2027-06-30&quot; (eine Regel aus mehreren Wörtern in Anführungszeichen)
  --priority N     1 (höchste) bis 9
  --urgent         als dringend markieren
</translation>
    </message>
    <message>
        <source>
While Nimbus Desk runs the topic is added by the program, as if you had added it
there; otherwise nimbus-cli writes the store itself.
</source>
        <translation>
Während Nimbus Desk läuft, fügt das Programm das Thema hinzu, als hätten Sie es dort
hinzugefügt; sonst schreibt nimbus-cli den Speicher selbst.
</translation>
    </message>
    <message>
        <source>Added %1</source>
        <translation>Hinzugefügt: %1</translation>
    </message>
    <message>
        <source>add a topic</source>
        <translation>ein Thema hinzufügen</translation>
    </message>
</context>
<context>
    <name>ChangeCommand</name>
    <message>
        <source>  --request-id ID  sent again with the same ID (1 to 64 letters, digits, &quot;.&quot;, &quot;_&quot; or
                   &quot;-&quot;), the change is answered as the first time, never made twice
</source>
        <translation>  --request-id ID  mit derselben ID erneut gesendet (1 bis 64 Buchstaben, Ziffern, „.“, „_“
                   oder „-“), wird die Änderung wie beim ersten Mal beantwortet, nie zweimal vorgenommen
</translation>
    </message>
</context>
<context>
    <name>CliMessages</name>
    <message>
        <source>--%1 needs a value</source>
        <translation>--%1 braucht einen Wert</translation>
    </message>
    <message>
        <source>unknown option %1</source>
        <translation>unbekannte Option %1</translation>
    </message>
    <message>
        <source>the topics are busy: another program holds the lock %1 and does not answer on %2</source>
        <translation>die Themen sind belegt: ein anderes Programm hält die Sperre %1 und antwortet nicht auf %2</translation>
    </message>
    <message>
        <source>no channel for the program&apos;s answer could be made in %1</source>
        <translation>in %1 konnte kein Kanal für die Antwort des Programms angelegt werden</translation>
    </message>
    <message>
        <source>the change is too long to send to the program (at most 2047 bytes once encoded)</source>
        <translation>die Änderung ist zu lang, um sie an das Programm zu senden (höchstens 2047 Byte nach der Kodierung)</translation>
    </message>
    <message>
        <source>the running Nimbus Desk could not be reached on %1</source>
        <translation>das laufende Nimbus Desk war über %1 nicht erreichbar</translation>
    </message>
    <message>
        <source>the running Nimbus Desk did not answer; it may be a version that does not take changes from nimbus-cli, and the change may not have been made (it may still be made: run the same command with --request-id %1 to make it at most once)</source>
        <translation>das laufende Nimbus Desk hat nicht geantwortet; vielleicht nimmt diese Version keine Änderungen von nimbus-cli an, und die Änderung wurde womöglich nicht vorgenommen (sie kann noch folgen: führen Sie denselben Befehl mit --request-id %1 aus, damit sie höchstens einmal vorgenommen wird)</translation>
    </message>
    <message>
        <source>add takes one title (quote a title of several words)</source>
        <translation>add nimmt genau einen Titel (setzen Sie einen Titel aus mehreren Wörtern in Anführungszeichen)</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a date; dates are %2</source>
        <translation>„%1“ ist kein Datum; Datumsangaben sind %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a time of day; times are HH:MM or HH:MM:SS</source>
        <translation>„%1“ ist keine Uhrzeit; Uhrzeiten sind HH:MM oder HH:MM:SS</translation>
    </message>
    <message>
        <source>a request id is 1 to 64 letters, digits, &quot;.&quot;, &quot;_&quot; or &quot;-&quot;</source>
        <translation>eine Anfrage-ID besteht aus 1 bis 64 Buchstaben, Ziffern, „.“, „_“ oder „-“</translation>
    </message>
    <message>
        <source>done takes one topic id</source>
        <translation>done nimmt genau eine Themen-ID</translation>
    </message>
    <message>
        <source>export needs the form: --ics</source>
        <translation>export braucht das Format: --ics</translation>
    </message>
    <message>
        <source>export takes no words, only --ics, --under and --output</source>
        <translation>export nimmt keine Wörter, nur --ics, --under und --output</translation>
    </message>
    <message>
        <source>--output needs a file name</source>
        <translation>--output braucht einen Dateinamen</translation>
    </message>
    <message>
        <source>no topic has the id %1</source>
        <translation>kein Thema hat die ID %1</translation>
    </message>
    <message>
        <source>the calendar file %1 could not be written: %2</source>
        <translation>die Kalenderdatei %1 konnte nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>there is no topic to export</source>
        <translation>es gibt kein Thema zum Exportieren</translation>
    </message>
    <message>
        <source>--saved takes no list name and no option but --format</source>
        <translation>--saved nimmt keinen Listennamen und keine Option außer --format</translation>
    </message>
    <message>
        <source>--format takes text, json or tsv</source>
        <translation>--format nimmt text, json oder tsv</translation>
    </message>
    <message>
        <source>list takes one list name</source>
        <translation>list nimmt genau einen Listennamen</translation>
    </message>
    <message>
        <source>unknown list &quot;%1&quot;; see nimbus-cli list --help</source>
        <translation>unbekannte Liste „%1“; siehe nimbus-cli list --help</translation>
    </message>
    <message>
        <source>--sort takes due, priority or title</source>
        <translation>--sort nimmt due, priority oder title</translation>
    </message>
    <message>
        <source>remove takes one topic id</source>
        <translation>remove nimmt genau eine Themen-ID</translation>
    </message>
    <message>
        <source>--saved without a name lists the saved searches: it takes no words to find and no --limit</source>
        <translation>--saved ohne Namen listet die gespeicherten Suchen auf: es nimmt keine Suchwörter und kein --limit</translation>
    </message>
    <message>
        <source>--limit takes a number from 1 to 1000000</source>
        <translation>--limit nimmt eine Zahl von 1 bis 1000000</translation>
    </message>
    <message>
        <source>the search index could not be built</source>
        <translation>der Suchindex konnte nicht erstellt werden</translation>
    </message>
    <message>
        <source>the search index could not be built: %1</source>
        <translation>der Suchindex konnte nicht erstellt werden: %1</translation>
    </message>
    <message>
        <source>search needs words to find or a filter</source>
        <translation>search braucht Suchwörter oder einen Filter</translation>
    </message>
    <message>
        <source>set takes a topic id and at least one FIELD=VALUE</source>
        <translation>set nimmt eine Themen-ID und mindestens ein FELD=WERT</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not FIELD=VALUE</source>
        <translation>„%1“ hat nicht die Form FELD=WERT</translation>
    </message>
    <message>
        <source>show takes one topic id</source>
        <translation>show nimmt genau eine Themen-ID</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a topic id; ids are numbers such as 1042 (nimbus-cli list shows them)</source>
        <translation>„%1“ ist keine Themen-ID; IDs sind Zahlen wie 1042 (nimbus-cli list zeigt sie)</translation>
    </message>
    <message>
        <source>--format takes text or json</source>
        <translation>--format nimmt text oder json</translation>
    </message>
    <message>
        <source>summary takes no words, only --format</source>
        <translation>summary nimmt keine Wörter, nur --format</translation>
    </message>
    <message>
        <source>%1, YYYY-MM-DD, YYYYMMDD, today, tomorrow, a weekday name, +Nd or +Nw</source>
        <translation>%1, YYYY-MM-DD, YYYYMMDD, today, tomorrow, ein englischer Wochentagsname, +Nd oder +Nw</translation>
    </message>
    <message>
        <source>the lock file %1 cannot be used (%2), so whether Nimbus Desk runs on this data folder cannot be told; nothing was changed</source>
        <translation>die Sperrdatei %1 kann nicht verwendet werden (%2), daher lässt sich nicht feststellen, ob Nimbus Desk auf diesem Datenordner läuft; nichts wurde geändert</translation>
    </message>
    <message>
        <source>Nimbus Desk runs on %1 but does not answer on this nimbus-cli&apos;s channel folder (is XDG_RUNTIME_DIR or NIMBUS_CHANNEL_DIR different from the program&apos;s?); nothing was changed</source>
        <translation>Nimbus Desk läuft auf %1, antwortet aber nicht im Kanalordner dieses nimbus-cli (unterscheidet sich XDG_RUNTIME_DIR oder NIMBUS_CHANNEL_DIR von dem des Programms?); nichts wurde geändert</translation>
    </message>
    <message>
        <source>the repeat rules in %1 cannot be read, so no repeat is changed; nothing was changed</source>
        <translation>die Wiederholungsregeln in %1 können nicht gelesen werden, daher wird keine Wiederholung geändert; nichts wurde geändert</translation>
    </message>
    <message>
        <source>no id could be taken from %1</source>
        <translation>aus %1 konnte keine ID bezogen werden</translation>
    </message>
    <message>
        <source>the id %1 is already in use</source>
        <translation>die ID %1 ist bereits vergeben</translation>
    </message>
    <message>
        <source>the topic store could not be written: %1</source>
        <translation>der Themenspeicher konnte nicht geschrieben werden: %1</translation>
    </message>
    <message>
        <source>the topic was changed, but its repeat rule could not be written to %1; it repeats by the nearest plain rule</source>
        <translation>das Thema wurde geändert, aber seine Wiederholungsregel konnte nicht in %1 geschrieben werden; es wiederholt sich nach der nächstliegenden einfachen Regel</translation>
    </message>
    <message>
        <source>the topic was added, but the list of new topics could not be written: %1</source>
        <translation>das Thema wurde hinzugefügt, aber die Liste der neuen Themen konnte nicht geschrieben werden: %1</translation>
    </message>
    <message>
        <source>no temporary folder for the search index could be made: %1</source>
        <translation>für den Suchindex konnte kein temporärer Ordner angelegt werden: %1</translation>
    </message>
    <message>
        <source>no section is called %1</source>
        <translation>kein Bereich heißt %1</translation>
    </message>
    <message>
        <source>unknown list &quot;%1&quot;</source>
        <translation>unbekannte Liste „%1“</translation>
    </message>
    <message>
        <source>there is no data folder %1: start Nimbus Desk once to make it</source>
        <translation>es gibt keinen Datenordner %1: starten Sie Nimbus Desk einmal, um ihn anzulegen</translation>
    </message>
    <message>
        <source>there is no topic store %1: start Nimbus Desk once to make it</source>
        <translation>es gibt keinen Themenspeicher %1: starten Sie Nimbus Desk einmal, um ihn anzulegen</translation>
    </message>
    <message>
        <source>the topic store %1 cannot be read: %2</source>
        <translation>der Themenspeicher %1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>the topic store %1 is damaged: %2; start Nimbus Desk to repair it</source>
        <translation>der Themenspeicher %1 ist beschädigt: %2; starten Sie Nimbus Desk, um ihn zu reparieren</translation>
    </message>
    <message>
        <source>a title is one line of text, not empty</source>
        <translation>ein Titel ist eine nicht leere Textzeile</translation>
    </message>
    <message>
        <source>type takes %1</source>
        <translation>type nimmt %1</translation>
    </message>
    <message>
        <source>recur takes a count and a unit (%1), or none</source>
        <translation>recur nimmt eine Anzahl und eine Einheit (%1) oder none</translation>
    </message>
    <message>
        <source>priority takes a number from 1 (highest) to 9, or 0 for none</source>
        <translation>priority nimmt eine Zahl von 1 (höchste) bis 9 oder 0 für keine</translation>
    </message>
    <message>
        <source>%1 takes yes or no</source>
        <translation>%1 nimmt yes oder no</translation>
    </message>
    <message>
        <source>status takes %1</source>
        <translation>status nimmt %1</translation>
    </message>
    <message>
        <source>percent takes 0 to 100 in steps of 10</source>
        <translation>percent nimmt 0 bis 100 in Zehnerschritten</translation>
    </message>
    <message>
        <source>unknown field &quot;%1&quot;; fields are %2</source>
        <translation>unbekanntes Feld „%1“; Felder sind %2</translation>
    </message>
    <message>
        <source>%1 is a section, not a topic</source>
        <translation>%1 ist ein Bereich, kein Thema</translation>
    </message>
    <message>
        <source>%1 is a system topic and cannot be changed</source>
        <translation>%1 ist ein Systemthema und kann nicht geändert werden</translation>
    </message>
    <message>
        <source>the store has no &quot;Topics&quot; section</source>
        <translation>der Speicher hat keinen Bereich „Topics“</translation>
    </message>
    <message>
        <source>no topic can be inserted directly in the section %1</source>
        <translation>direkt in den Bereich %1 kann kein Thema eingefügt werden</translation>
    </message>
    <message>
        <source>a time needs a due date</source>
        <translation>eine Uhrzeit braucht ein Fälligkeitsdatum</translation>
    </message>
    <message>
        <source>a recurring topic needs a due date</source>
        <translation>ein wiederkehrendes Thema braucht ein Fälligkeitsdatum</translation>
    </message>
    <message>
        <source>only tasks have a percentage complete</source>
        <translation>nur Aufgaben haben einen Fertigstellungsgrad</translation>
    </message>
    <message>
        <source>only tasks and events have a due date</source>
        <translation>nur Aufgaben und Termine haben ein Fälligkeitsdatum</translation>
    </message>
    <message>
        <source>a system topic cannot be changed</source>
        <translation>ein Systemthema kann nicht geändert werden</translation>
    </message>
    <message>
        <source>only tasks take a status; events follow their dates</source>
        <translation>nur Aufgaben haben einen Status; Termine folgen ihren Daten</translation>
    </message>
    <message>
        <source>the status of this task cannot be changed that way</source>
        <translation>der Status dieser Aufgabe kann so nicht geändert werden</translation>
    </message>
    <message>
        <source>only tasks have a priority</source>
        <translation>nur Aufgaben haben eine Priorität</translation>
    </message>
    <message>
        <source>a completed task has no priority</source>
        <translation>eine erledigte Aufgabe hat keine Priorität</translation>
    </message>
    <message>
        <source>this task cannot be marked done (a group task follows its sub-tasks)</source>
        <translation>diese Aufgabe kann nicht als erledigt markiert werden (eine Gruppenaufgabe folgt ihren Unteraufgaben)</translation>
    </message>
    <message>
        <source>only tasks and events can be done</source>
        <translation>nur Aufgaben und Termine können erledigt werden</translation>
    </message>
    <message>
        <source>%1 is a section and cannot be removed</source>
        <translation>%1 ist ein Bereich und kann nicht entfernt werden</translation>
    </message>
    <message>
        <source>%1 is a system topic and cannot be removed</source>
        <translation>%1 ist ein Systemthema und kann nicht entfernt werden</translation>
    </message>
    <message>
        <source>recur=&quot;%1&quot;: %2</source>
        <translation>recur=„%1“: %2</translation>
    </message>
    <message>
        <source>the repeat rule &quot;%1&quot; cannot be used: %2</source>
        <translation>die Wiederholungsregel „%1“ kann nicht verwendet werden: %2</translation>
    </message>
    <message>
        <source>the repeat &quot;%1&quot; has no date from the due date on</source>
        <translation>die Wiederholung „%1“ hat ab dem Fälligkeitsdatum keinen Termin</translation>
    </message>
    <message>
        <source>the calendar state %1 could not be written: %2</source>
        <translation>der Kalenderstand %1 konnte nicht geschrieben werden: %2</translation>
    </message>
</context>
<context>
    <name>CommandTable</name>
    <message>
        <source>Usage: nimbus-cli COMMAND [ARGUMENTS]

The topics of Nimbus Desk from a terminal. Commands:
</source>
        <translation>Aufruf: nimbus-cli BEFEHL [ARGUMENTE]

Die Themen von Nimbus Desk im Terminal. Befehle:
</translation>
    </message>
    <message>
        <source>
nimbus-cli COMMAND --help tells more. Exit status: 0 success, 1 nothing found,
2 usage error, 3 data folder or store problem.
</source>
        <translation>
nimbus-cli BEFEHL --help sagt mehr. Rückgabewert: 0 Erfolg, 1 nichts gefunden,
2 falscher Aufruf, 3 Problem mit Datenordner oder Speicher.
</translation>
    </message>
    <message>
        <source>unknown command &quot;%1&quot;</source>
        <translation>unbekannter Befehl „%1“</translation>
    </message>
    <message>
        <source>(nimbus-cli %1 --help shows how it is used)</source>
        <translation>(nimbus-cli %1 --help zeigt, wie er verwendet wird)</translation>
    </message>
</context>
<context>
    <name>DoneCommand</name>
    <message>
        <source>Usage: nimbus-cli done ID [--request-id ID]

Marks the task ID completed, as the toolbar&apos;s &quot;finished&quot; button does (a recurring
task moves on to its next date), or completes the event ID. Exit status 1 when no
topic has that id, 2 when it is not a task or an event.

</source>
        <translation>Aufruf: nimbus-cli done ID [--request-id ID]

Markiert die Aufgabe ID als erledigt, wie es die Schaltfläche „Erledigt“ der Werkzeugleiste tut
(eine wiederkehrende Aufgabe rückt zu ihrem nächsten Datum vor), oder schließt den Termin ID ab.
Rückgabewert 1, wenn kein Thema diese ID hat, 2, wenn es keine Aufgabe und kein Termin ist.

</translation>
    </message>
    <message>
        <source>Done %1</source>
        <translation>Erledigt: %1</translation>
    </message>
    <message>
        <source>mark a task or event done</source>
        <translation>eine Aufgabe oder einen Termin als erledigt markieren</translation>
    </message>
</context>
<context>
    <name>ExportCommand</name>
    <message>
        <source>Usage: nimbus-cli export --ics [--under ID] [--output FILE]

Writes the topics as one iCalendar file, as the window&apos;s calendar export does: a
task is a VTODO, an event a VEVENT, any other topic a VJOURNAL, with repeats,
alarms, the tree&apos;s parent links, the details pages as text and the checklists as
sub-tasks. The UIDs are this installation&apos;s, so importing the file again updates
the same topics.

  --ics           the iCalendar form (the only one there is; it must be named)
  --under ID      the topic ID with everything below it (a section&apos;s id: the
                  section&apos;s topics); without it, every topic
  --output FILE   write FILE (replaced whole, never left half written) instead of
                  standard output

Exit status 1 when there is no topic to export.
</source>
        <translation>Aufruf: nimbus-cli export --ics [--under ID] [--output DATEI]

Schreibt die Themen in eine iCalendar-Datei, wie es der Kalenderexport des Fensters tut:
eine Aufgabe wird ein VTODO, ein Termin ein VEVENT, jedes andere Thema ein VJOURNAL, mit
Wiederholungen, Erinnerungen, den Elternverweisen des Baums, den Detailseiten als Text und
den Checklisten als Unteraufgaben. Die UIDs gehören zu dieser Installation, daher
aktualisiert ein erneuter Import der Datei dieselben Themen.

  --ics           das iCalendar-Format (das einzige; es muss genannt werden)
  --under ID      das Thema ID mit allem darunter (die ID eines Bereichs: dessen
                  Themen); ohne diese Option jedes Thema
  --output DATEI  DATEI schreiben (ganz ersetzt, nie halb geschrieben) statt der
                  Standardausgabe

Rückgabewert 1, wenn es kein Thema zum Exportieren gibt.
</translation>
    </message>
    <message>
        <source>write the topics as an iCalendar (.ics) file</source>
        <translation>die Themen als iCalendar-Datei (.ics) schreiben</translation>
    </message>
</context>
<context>
    <name>GridCells</name>
    <message>
        <source>no due date</source>
        <translation>kein Fälligkeitsdatum</translation>
    </message>
    <message>
        <source>urgent</source>
        <translation>dringend</translation>
    </message>
    <message>
        <source>urgent sub-topics</source>
        <translation>dringende Unterthemen</translation>
    </message>
    <message>
        <source>favourite</source>
        <translation>Favorit</translation>
    </message>
    <message>
        <source>not started</source>
        <translation>nicht begonnen</translation>
    </message>
    <message>
        <source>in progress</source>
        <translation>in Bearbeitung</translation>
    </message>
    <message>
        <source>finished</source>
        <translation>erledigt</translation>
    </message>
    <message>
        <source>on hold</source>
        <translation>zurückgestellt</translation>
    </message>
    <message>
        <source>waiting</source>
        <translation>wartend</translation>
    </message>
    <message>
        <source>in progress %1 %</source>
        <translation>in Bearbeitung, %1&#xa0;%</translation>
    </message>
    <message>
        <source>future event</source>
        <translation>künftiger Termin</translation>
    </message>
    <message>
        <source>recurring</source>
        <translation>wiederkehrend</translation>
    </message>
    <message>
        <source>priority %1</source>
        <translation>Priorität %1</translation>
    </message>
    <message>
        <source>several pages</source>
        <translation>mehrere Seiten</translation>
    </message>
    <message>
        <source>details page</source>
        <translation>Detailseite</translation>
    </message>
    <message>
        <source>one page</source>
        <translation>eine Seite</translation>
    </message>
    <message>
        <source>no status</source>
        <translation>kein Status</translation>
    </message>
</context>
<context>
    <name>ListCommand</name>
    <message>
        <source>Usage: nimbus-cli list [LIST] [--section NAME] [--under ID] [--type TYPE]
                      [--sort due|priority|title] [--format text|json|tsv]
       nimbus-cli list --saved NAME [--format text|json|tsv]

LIST is one of: deadlines, overdue, urgent, today, week, in-progress, waiting,
events, new, changes, favourites, all (the default). The summary&apos;s groups come in
the summary&apos;s order; today and week are the tasks and events due today or in the
next seven days, soonest first; all is every topic in tree order.

  --section NAME  only topics of the section with that title or id
  --under ID      only topics below the topic ID
  --type TYPE     task, event, note, idea, finance or general
  --sort ORDER    due, priority or title, as the tree&apos;s sort orders
  --format FORM   text (aligned), json (an array) or tsv: id, path, status, due text
                  and due date
  --saved NAME    every topic the search saved under NAME in the window finds, best
                  first (with no other list or option but --format)

Exit status 1 when the list is empty.
</source>
        <translation>Aufruf: nimbus-cli list [LISTE] [--section NAME] [--under ID] [--type TYP]
                      [--sort due|priority|title] [--format text|json|tsv]
        nimbus-cli list --saved NAME [--format text|json|tsv]

LISTE ist eine von: deadlines, overdue, urgent, today, week, in-progress, waiting,
events, new, changes, favourites, all (Vorgabe). Die Gruppen der Übersicht kommen in
deren Reihenfolge; today und week sind die Aufgaben und Termine, die heute oder in den
nächsten sieben Tagen fällig sind, die nächsten zuerst; all ist jedes Thema in Baumreihenfolge.

  --section NAME  nur Themen des Bereichs mit diesem Titel oder dieser ID
  --under ID      nur Themen unter dem Thema ID
  --type TYP      task, event, note, idea, finance oder general
  --sort ORDNUNG  due, priority oder title, wie die Sortierungen des Baums
  --format FORM   text (ausgerichtet), json (ein Array) oder tsv: ID, Pfad, Status,
                  Fälligkeitstext und Fälligkeitsdatum
  --saved NAME    jedes Thema, das die im Fenster unter NAME gespeicherte Suche findet,
                  die besten zuerst (mit keiner anderen Liste oder Option außer --format)

Rückgabewert 1, wenn die Liste leer ist.
</translation>
    </message>
    <message>
        <source>list the topics of a group, one line each</source>
        <translation>die Themen einer Gruppe auflisten, eine Zeile je Thema</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Calendar files (*.ics)</source>
        <translation>Kalenderdateien (*.ics)</translation>
    </message>
    <message>
        <source>Export to calendar file</source>
        <translation>In Kalenderdatei exportieren</translation>
    </message>
    <message>
        <source>Import calendar file</source>
        <translation>Kalenderdatei importieren</translation>
    </message>
    <message>
        <source>Font</source>
        <translation>Schrift</translation>
    </message>
    <message>
        <source>Save as a Word document</source>
        <translation>Als Word-Dokument speichern</translation>
    </message>
    <message>
        <source>MS Word file (*.rtf)</source>
        <translation>MS-Word-Datei (*.rtf)</translation>
    </message>
</context>
<context>
    <name>RemoveCommand</name>
    <message>
        <source>Usage: nimbus-cli remove ID [--request-id ID]

Removes the topic ID permanently, with every topic below it, as the tree&apos;s
&quot;Remove this topic permanently&quot; does. Sections and system topics stay. The store&apos;s
old versions keep what was removed. Exit status 1 when no topic has that id.

</source>
        <translation>Aufruf: nimbus-cli remove ID [--request-id ID]

Entfernt das Thema ID endgültig, mit jedem Thema darunter, wie es „Remove this topic
permanently“ im Baum tut. Bereiche und Systemthemen bleiben. Die alten Versionen des
Speichers behalten das Entfernte. Rückgabewert 1, wenn kein Thema diese ID hat.

</translation>
    </message>
    <message>
        <source>Removed %1</source>
        <translation>Entfernt: %1</translation>
    </message>
    <message>
        <source>remove a topic with everything below it</source>
        <translation>ein Thema mit allem darunter entfernen</translation>
    </message>
</context>
<context>
    <name>RuleWords</name>
    <message>
        <source>Monday</source>
        <translation>Montag</translation>
    </message>
    <message>
        <source>Tuesday</source>
        <translation>Dienstag</translation>
    </message>
    <message>
        <source>Wednesday</source>
        <translation>Mittwoch</translation>
    </message>
    <message>
        <source>Thursday</source>
        <translation>Donnerstag</translation>
    </message>
    <message>
        <source>Friday</source>
        <translation>Freitag</translation>
    </message>
    <message>
        <source>Saturday</source>
        <translation>Samstag</translation>
    </message>
    <message>
        <source>Sunday</source>
        <translation>Sonntag</translation>
    </message>
    <message>
        <source>January</source>
        <translation>Januar</translation>
    </message>
    <message>
        <source>February</source>
        <translation>Februar</translation>
    </message>
    <message>
        <source>March</source>
        <translation>März</translation>
    </message>
    <message>
        <source>April</source>
        <translation>April</translation>
    </message>
    <message>
        <source>May</source>
        <translation>Mai</translation>
    </message>
    <message>
        <source>June</source>
        <translation>Juni</translation>
    </message>
    <message>
        <source>July</source>
        <translation>Juli</translation>
    </message>
    <message>
        <source>August</source>
        <translation>August</translation>
    </message>
    <message>
        <source>September</source>
        <translation>September</translation>
    </message>
    <message>
        <source>October</source>
        <translation>Oktober</translation>
    </message>
    <message>
        <source>November</source>
        <translation>November</translation>
    </message>
    <message>
        <source>December</source>
        <translation>Dezember</translation>
    </message>
    <message>
        <source> and </source>
        <translation> und </translation>
    </message>
    <message>
        <source>, </source>
        <translation>, </translation>
    </message>
    <message>
        <source>first</source>
        <translation>ersten</translation>
    </message>
    <message>
        <source>second</source>
        <translation>zweiten</translation>
    </message>
    <message>
        <source>third</source>
        <translation>dritten</translation>
    </message>
    <message>
        <source>fourth</source>
        <translation>vierten</translation>
    </message>
    <message>
        <source>fifth</source>
        <translation>fünften</translation>
    </message>
    <message>
        <source>last</source>
        <translation>letzten</translation>
    </message>
    <message>
        <source>%1 to last</source>
        <translation>%1 von hinten</translation>
    </message>
    <message>
        <source>%1th</source>
        <translation>%1.</translation>
    </message>
    <message>
        <source>%1st</source>
        <translation>%1.</translation>
    </message>
    <message>
        <source>%1nd</source>
        <translation>%1.</translation>
    </message>
    <message>
        <source>%1rd</source>
        <translation>%1.</translation>
    </message>
    <message>
        <source>Every day</source>
        <translation>Jeden Tag</translation>
    </message>
    <message>
        <source>Every week</source>
        <translation>Jede Woche</translation>
    </message>
    <message>
        <source>Every month</source>
        <translation>Jeden Monat</translation>
    </message>
    <message>
        <source>Every year</source>
        <translation>Jedes Jahr</translation>
    </message>
    <message>
        <source>Every %1 days</source>
        <translation>Alle %1 Tage</translation>
    </message>
    <message>
        <source>Every %1 weeks</source>
        <translation>Alle %1 Wochen</translation>
    </message>
    <message>
        <source>Every %1 months</source>
        <translation>Alle %1 Monate</translation>
    </message>
    <message>
        <source>Every %1 years</source>
        <translation>Alle %1 Jahre</translation>
    </message>
    <message>
        <source>day</source>
        <translation>Tag</translation>
    </message>
    <message>
        <source>week</source>
        <translation>Woche</translation>
    </message>
    <message>
        <source>month</source>
        <translation>Monat</translation>
    </message>
    <message>
        <source>year</source>
        <translation>Jahr</translation>
    </message>
    <message>
        <source>the %1 %2</source>
        <translation>%1 %2</translation>
    </message>
    <message>
        <source>day %1</source>
        <translation>Tag %1</translation>
    </message>
    <message>
        <source>the %1 day</source>
        <translation>%1 Tag</translation>
    </message>
    <message>
        <source> on %1</source>
        <translation> am %1</translation>
    </message>
    <message>
        <source>, when that is %1</source>
        <translation>, sofern das %1 ist</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <translation>%1. %2</translation>
    </message>
    <message>
        <source>Every weekday</source>
        <translation>Jeden Werktag</translation>
    </message>
    <message>
        <source> in %1</source>
        <translation> im %1</translation>
    </message>
    <message>
        <source>, taking the %1 of those days in each %2</source>
        <translation>, davon je %2 nur den %1</translation>
    </message>
    <message>
        <source>, once</source>
        <translation>, einmal</translation>
    </message>
    <message>
        <source>, %1 times</source>
        <translation>, %1-mal</translation>
    </message>
    <message>
        <source>, until %1</source>
        <translation>, bis %1</translation>
    </message>
    <message>
        <source>; 1 date skipped</source>
        <translation>; 1 Termin ausgelassen</translation>
    </message>
    <message>
        <source>; %1 dates skipped</source>
        <translation>; %1 Termine ausgelassen</translation>
    </message>
    <message>
        <source>%1 more dates</source>
        <translation>%1 weiteren Terminen</translation>
    </message>
    <message>
        <source>; also on %1</source>
        <translation>; außerdem am %1</translation>
    </message>
</context>
<context>
    <name>ScheduleText</name>
    <message numerus="yes">
        <source>%n day(s)</source>
        <translation>
            <numerusform>%n Tag</numerusform>
            <numerusform>%n Tage</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n week(s)</source>
        <translation>
            <numerusform>%n Woche</numerusform>
            <numerusform>%n Wochen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n month(s)</source>
        <translation>
            <numerusform>%n Monat</numerusform>
            <numerusform>%n Monate</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n hour(s)</source>
        <translation>
            <numerusform>%n Stunde</numerusform>
            <numerusform>%n Stunden</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n min(s)</source>
        <translation>
            <numerusform>%n Min.</numerusform>
            <numerusform>%n Min.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n sec(s)</source>
        <translation>
            <numerusform>%n Sek.</numerusform>
            <numerusform>%n Sek.</numerusform>
        </translation>
    </message>
    <message>
        <source>Today</source>
        <translation>Heute</translation>
    </message>
    <message>
        <source>In progress</source>
        <translation>In Bearbeitung</translation>
    </message>
</context>
<context>
    <name>SearchCommand</name>
    <message>
        <source>Usage: nimbus-cli search QUERY... [--limit N] [--format text|json|tsv]
       nimbus-cli search --saved NAME [QUERY...] [--limit N] [--format ...]
       nimbus-cli search --saved [--format text|json|tsv]

Finds topics by the words of their titles, details pages and checklists, with the
search field&apos;s language: words that must all appear in the topic (its title, any
page or checklist), &quot;exact phrases&quot; (within one of them), prefix*, -excluded words
(a topic holding one anywhere is left out) and the filters type:task, status:waiting,
urgent, due:&lt;7d, due:&gt;2w, due:today, due:overdue and section:NAME (filters alone list
every topic they pass). Topics whose title matches come first. A word holding blanks
is searched as a phrase.

  --saved NAME    the search saved under NAME in the window (its words come first)
  --saved         without a name: lists the saved searches&apos; names (tsv and json
                  add each one&apos;s query); exit status 1 when there are none
  --limit N       at most N matches (200)
  --format FORM   text, json or tsv: id, path, status, due text and where it matched

The index &quot;Search.db&quot; is brought up to date with the topics first (when Nimbus Desk
runs, in a private copy: the running program alone writes its index).
Exit status 1 when nothing matches.
</source>
        <translation>Aufruf: nimbus-cli search ANFRAGE... [--limit N] [--format text|json|tsv]
        nimbus-cli search --saved NAME [ANFRAGE...] [--limit N] [--format ...]
        nimbus-cli search --saved [--format text|json|tsv]

Findet Themen nach den Wörtern ihrer Titel, Detailseiten und Checklisten, mit der Sprache
des Suchfelds: Wörter, die alle im Thema vorkommen müssen (im Titel, einer Seite oder
Checkliste), &quot;genaue Wortgruppen&quot; (innerhalb einer davon), Präfix*, -ausgeschlossene Wörter
(ein Thema, das eines irgendwo enthält, fällt weg) und die Filter type:task, status:waiting,
urgent, due:&lt;7d, due:&gt;2w, due:today, due:overdue und section:NAME (Filter allein listen
jedes Thema auf, das sie durchlässt). Themen, deren Titel passt, kommen zuerst. Ein Wort
mit Leerzeichen wird als Wortgruppe gesucht.

  --saved NAME    die im Fenster unter NAME gespeicherte Suche (ihre Wörter kommen zuerst)
  --saved         ohne Namen: listet die Namen der gespeicherten Suchen auf (tsv und json
                  fügen jeweils die Anfrage hinzu); Rückgabewert 1, wenn es keine gibt
  --limit N       höchstens N Treffer (200)
  --format FORM   text, json oder tsv: ID, Pfad, Status, Fälligkeitstext und Fundstelle

Der Index „Search.db“ wird zuerst auf den Stand der Themen gebracht (läuft Nimbus Desk,
in einer privaten Kopie: nur das laufende Programm schreibt seinen Index).
Rückgabewert 1, wenn nichts passt.
</translation>
    </message>
    <message>
        <source>find topics by the words of their titles, pages and checklists</source>
        <translation>Themen nach den Wörtern ihrer Titel, Seiten und Checklisten finden</translation>
    </message>
</context>
<context>
    <name>SelectionCellDelegate</name>
    <message>
        <source>%1%</source>
        <translation>%1&#xa0;%</translation>
    </message>
</context>
<context>
    <name>SetCommand</name>
    <message>
        <source>Usage: nimbus-cli set ID FIELD=VALUE... [--request-id ID]

Changes fields of the topic ID, all of them or none:
  title=TEXT
  type=task|event|note|idea|finance|general
  due=DATE or due=&quot;DATE TIME&quot; or due=none   (dates as for add)
  time=HH:MM or time=none
  recur=&quot;N UNIT&quot; or recur=none               (UNIT: minute ... year)
  recur=RULE    weekdays, mon,wed,fri, &quot;every 2 weeks on mon,thu&quot;, &quot;2nd tue&quot;,
                &quot;last fri&quot;, &quot;monthly on 15 x10&quot;, &quot;weekly until 2027-06-30&quot;
  priority=0-9                                (0: none)
  urgent=yes|no   fav=yes|no
  status=not-started|in-progress|waiting|on-hold|done   (tasks)
  percent=0-100 in steps of 10                (tasks)


</source>
        <translation>Aufruf: nimbus-cli set ID FELD=WERT... [--request-id ID]

Ändert Felder des Themas ID, alle oder keines:
  title=TEXT
  type=task|event|note|idea|finance|general
  due=DATUM oder due=&quot;DATUM ZEIT&quot; oder due=none   (Datumsangaben wie bei add)
  time=HH:MM oder time=none
  recur=&quot;N EINHEIT&quot; oder recur=none               (EINHEIT: minute ... year)
  recur=REGEL   weekdays, mon,wed,fri, &quot;every 2 weeks on mon,thu&quot;, &quot;2nd tue&quot;,
                &quot;last fri&quot;, &quot;monthly on 15 x10&quot;, &quot;weekly until 2027-06-30&quot;
  priority=0-9                                     (0: keine)
  urgent=yes|no   fav=yes|no
  status=not-started|in-progress|waiting|on-hold|done   (Aufgaben)
  percent=0-100 in Zehnerschritten                 (Aufgaben)


</translation>
    </message>
    <message>
        <source>
Exit status 1 when no topic has that id, 2 for a field or value it does not take.
</source>
        <translation>
Rückgabewert 1, wenn kein Thema diese ID hat, 2 bei einem Feld oder Wert, den es nicht annimmt.
</translation>
    </message>
    <message>
        <source>Changed %1</source>
        <translation>Geändert: %1</translation>
    </message>
    <message>
        <source>change fields of a topic</source>
        <translation>Felder eines Themas ändern</translation>
    </message>
</context>
<context>
    <name>ShowCommand</name>
    <message>
        <source>Usage: nimbus-cli show ID

Prints the topic&apos;s id, path, type and status, due date and schedule text,
recurrence, priority, urgency and favourite mark, then each details page as plain
text and each checklist with its ticks. Exit status 1 when no topic has that id, 2 when
the word given is no topic id at all.
</source>
        <translation>Aufruf: nimbus-cli show ID

Gibt ID, Pfad, Typ und Status des Themas aus, Fälligkeitsdatum und Zeitplantext,
Wiederholung, Priorität, Dringlichkeit und Favoritenmarke, dann jede Detailseite als
reinen Text und jede Checkliste mit ihren Häkchen. Rückgabewert 1, wenn kein Thema diese
ID hat, 2, wenn das angegebene Wort überhaupt keine Themen-ID ist.
</translation>
    </message>
    <message>
        <source>a topic&apos;s fields, schedule, details and checklist</source>
        <translation>Felder, Zeitplan, Details und Checkliste eines Themas</translation>
    </message>
</context>
<context>
    <name>StepNames</name>
    <message>
        <source>Add %1 in %2</source>
        <translation>%1 in %2 hinzufügen</translation>
    </message>
    <message numerus="yes">
        <source>Add %n item(s) in %1</source>
        <translation>
            <numerusform>%n Eintrag in %1 hinzufügen</numerusform>
            <numerusform>%n Einträge in %1 hinzufügen</numerusform>
        </translation>
    </message>
    <message>
        <source>Remove all items in %1</source>
        <translation>Alle Einträge in %1 entfernen</translation>
    </message>
    <message numerus="yes">
        <source>Remove %n item(s) in %1</source>
        <translation>
            <numerusform>%n Eintrag in %1 entfernen</numerusform>
            <numerusform>%n Einträge in %1 entfernen</numerusform>
        </translation>
    </message>
    <message>
        <source>Reorder the checklist in %1</source>
        <translation>Checkliste in %1 umordnen</translation>
    </message>
    <message>
        <source>Change %1 in %2</source>
        <translation>%1 in %2 ändern</translation>
    </message>
    <message>
        <source>Tick %1 in %2</source>
        <translation>%1 in %2 abhaken</translation>
    </message>
    <message>
        <source>Untick %1 in %2</source>
        <translation>Haken bei %1 in %2 entfernen</translation>
    </message>
    <message>
        <source>Remove all ticks in %1</source>
        <translation>Alle Haken in %1 entfernen</translation>
    </message>
    <message>
        <source>Remove all dates in %1</source>
        <translation>Alle Daten in %1 entfernen</translation>
    </message>
    <message>
        <source>Change the checklist in %1</source>
        <translation>Checkliste in %1 ändern</translation>
    </message>
    <message numerus="yes">
        <source>Remove %1 and %n sub-topic(s)</source>
        <translation>
            <numerusform>%1 und %n Unterthema entfernen</numerusform>
            <numerusform>%1 und %n Unterthemen entfernen</numerusform>
        </translation>
    </message>
    <message>
        <source>Remove %1</source>
        <translation>%1 entfernen</translation>
    </message>
    <message>
        <source>Add %1</source>
        <translation>%1 hinzufügen</translation>
    </message>
    <message>
        <source>Move %1 up</source>
        <translation>%1 nach oben verschieben</translation>
    </message>
    <message>
        <source>Move %1 down</source>
        <translation>%1 nach unten verschieben</translation>
    </message>
    <message>
        <source>Make %1 a sub-topic</source>
        <translation>%1 zum Unterthema machen</translation>
    </message>
    <message>
        <source>Make %1 a topic</source>
        <translation>%1 zum Thema machen</translation>
    </message>
    <message>
        <source>Move %1</source>
        <translation>%1 verschieben</translation>
    </message>
    <message>
        <source>Sort the sub-topics of %1 by urgency and priority</source>
        <translation>Unterthemen von %1 nach Dringlichkeit und Priorität sortieren</translation>
    </message>
    <message>
        <source>Sort the sub-topics of %1 by date due</source>
        <translation>Unterthemen von %1 nach Fälligkeitsdatum sortieren</translation>
    </message>
    <message>
        <source>Sort the sub-topics of %1 by title</source>
        <translation>Unterthemen von %1 nach Titel sortieren</translation>
    </message>
    <message>
        <source>Change the options of %1</source>
        <translation>Optionen von %1 ändern</translation>
    </message>
    <message>
        <source>Edit the details page of %1</source>
        <translation>Detailseite von %1 bearbeiten</translation>
    </message>
    <message>
        <source>Change %1</source>
        <translation>%1 ändern</translation>
    </message>
    <message>
        <source>Skip an occurrence of %1</source>
        <translation>Einen Termin von %1 überspringen</translation>
    </message>
    <message>
        <source>Set status of %1 to not started</source>
        <translation>Status von %1 auf „nicht begonnen“ setzen</translation>
    </message>
    <message>
        <source>Set status of %1 to in progress</source>
        <translation>Status von %1 auf „in Bearbeitung“ setzen</translation>
    </message>
    <message>
        <source>Set status of %1 to completed</source>
        <translation>Status von %1 auf „erledigt“ setzen</translation>
    </message>
    <message>
        <source>Set status of %1 to on hold</source>
        <translation>Status von %1 auf „zurückgestellt“ setzen</translation>
    </message>
    <message>
        <source>Set status of %1 to waiting</source>
        <translation>Status von %1 auf „wartend“ setzen</translation>
    </message>
    <message>
        <source>Set status of %1 to none</source>
        <translation>Status von %1 auf „kein“ setzen</translation>
    </message>
    <message>
        <source>Set type of %1 to general topic</source>
        <translation>Typ von %1 auf „allgemeines Thema“ setzen</translation>
    </message>
    <message>
        <source>Set type of %1 to event</source>
        <translation>Typ von %1 auf „Termin“ setzen</translation>
    </message>
    <message>
        <source>Set type of %1 to task</source>
        <translation>Typ von %1 auf „Aufgabe“ setzen</translation>
    </message>
    <message>
        <source>Set type of %1 to information note</source>
        <translation>Typ von %1 auf „Informationsnotiz“ setzen</translation>
    </message>
    <message>
        <source>Set type of %1 to idea</source>
        <translation>Typ von %1 auf „Idee“ setzen</translation>
    </message>
    <message>
        <source>Set type of %1 to financial note</source>
        <translation>Typ von %1 auf „Finanznotiz“ setzen</translation>
    </message>
    <message>
        <source>Set type of %1 to topic</source>
        <translation>Typ von %1 auf „Thema“ setzen</translation>
    </message>
    <message>
        <source>Rename %1 to %2</source>
        <translation>%1 in %2 umbenennen</translation>
    </message>
    <message>
        <source>Mark %1 as urgent</source>
        <translation>%1 als dringend markieren</translation>
    </message>
    <message>
        <source>Mark %1 as not urgent</source>
        <translation>%1 als nicht dringend markieren</translation>
    </message>
    <message>
        <source>Set priority of %1 to %2</source>
        <translation>Priorität von %1 auf %2 setzen</translation>
    </message>
    <message>
        <source>Clear the priority of %1</source>
        <translation>Priorität von %1 entfernen</translation>
    </message>
    <message>
        <source>Add %1 to favourites</source>
        <translation>%1 zu den Favoriten hinzufügen</translation>
    </message>
    <message>
        <source>Remove %1 from favourites</source>
        <translation>%1 aus den Favoriten entfernen</translation>
    </message>
</context>
<context>
    <name>SummaryCommand</name>
    <message>
        <source>Usage: nimbus-cli summary [--format text|json]

Prints the nine counts of the summary page: Deadlines, Urgent, Overdue, In progress,
Waiting, Events, New, Changes and Favourites, computed as the program computes them.

  --format text   one &quot;Name: count&quot; line per group (the default)
  --format json   one object for status bars: &quot;text&quot;, &quot;tooltip&quot;, &quot;class&quot;
                  (&quot;overdue&quot;, &quot;urgent&quot;, &quot;due&quot; or &quot;clear&quot;) and every count
</source>
        <translation>Aufruf: nimbus-cli summary [--format text|json]

Gibt die neun Zahlen der Übersichtsseite aus: Deadlines, Urgent, Overdue, In progress,
Waiting, Events, New, Changes und Favourites, so berechnet, wie das Programm sie berechnet.

  --format text   eine Zeile „Name: Anzahl“ je Gruppe (Vorgabe)
  --format json   ein Objekt für Statusleisten: &quot;text&quot;, &quot;tooltip&quot;, &quot;class&quot;
                  (&quot;overdue&quot;, &quot;urgent&quot;, &quot;due&quot; oder &quot;clear&quot;) und jede Anzahl
</translation>
    </message>
    <message>
        <source>the nine counts of the summary page</source>
        <translation>die neun Zahlen der Übersichtsseite</translation>
    </message>
</context>
<context>
    <name>TopicCodes</name>
    <message>
        <source>Topics</source>
        <translation>Themen</translation>
    </message>
    <message>
        <source>Local network information</source>
        <translation>Informationen zum lokalen Netzwerk</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Product information</source>
        <translation>Produktinformationen</translation>
    </message>
    <message>
        <source>Contacts</source>
        <translation>Kontakte</translation>
    </message>
    <message>
        <source>Minute</source>
        <translation>Minute</translation>
    </message>
    <message>
        <source>Hour</source>
        <translation>Stunde</translation>
    </message>
    <message>
        <source>Day</source>
        <translation>Tag</translation>
    </message>
    <message>
        <source>Week</source>
        <translation>Woche</translation>
    </message>
    <message>
        <source>Month</source>
        <translation>Monat</translation>
    </message>
    <message>
        <source>Year</source>
        <translation>Jahr</translation>
    </message>
    <message>
        <source>Minutes</source>
        <translation>Minuten</translation>
    </message>
    <message>
        <source>Hours</source>
        <translation>Stunden</translation>
    </message>
    <message>
        <source>Days</source>
        <translation>Tage</translation>
    </message>
    <message>
        <source>Weeks</source>
        <translation>Wochen</translation>
    </message>
    <message>
        <source>Months</source>
        <translation>Monate</translation>
    </message>
    <message>
        <source>Years</source>
        <translation>Jahre</translation>
    </message>
    <message>
        <source>General topic group</source>
        <translation>Allgemeine Themengruppe</translation>
    </message>
    <message>
        <source>General topic</source>
        <translation>Allgemeines Thema</translation>
    </message>
    <message>
        <source>Information topic</source>
        <translation>Informationsthema</translation>
    </message>
    <message>
        <source>Idea topic</source>
        <translation>Ideenthema</translation>
    </message>
    <message>
        <source>Financial topic</source>
        <translation>Finanzthema</translation>
    </message>
    <message>
        <source>Events group</source>
        <translation>Ereignisgruppe</translation>
    </message>
    <message>
        <source>Event in progress</source>
        <translation>Ereignis läuft</translation>
    </message>
    <message>
        <source>Event finished</source>
        <translation>Ereignis beendet</translation>
    </message>
    <message>
        <source>Future event</source>
        <translation>Künftiges Ereignis</translation>
    </message>
    <message>
        <source>Task group</source>
        <translation>Aufgabengruppe</translation>
    </message>
    <message>
        <source>Task in progress</source>
        <translation>Aufgabe in Bearbeitung</translation>
    </message>
    <message>
        <source>Task completed</source>
        <translation>Aufgabe erledigt</translation>
    </message>
    <message>
        <source>Task on hold</source>
        <translation>Aufgabe zurückgestellt</translation>
    </message>
    <message>
        <source>Task waiting</source>
        <translation>Aufgabe wartet</translation>
    </message>
    <message>
        <source>Task not started</source>
        <translation>Aufgabe nicht begonnen</translation>
    </message>
</context>
<context>
    <name>TopicOptions</name>
    <message>
        <source>System section</source>
        <translation>Systembereich</translation>
    </message>
    <message>
        <source>System topic</source>
        <translation>Systemthema</translation>
    </message>
    <message>
        <source>Urgent</source>
        <translation>Dringend</translation>
    </message>
    <message>
        <source>Contains urgent sub-topics</source>
        <translation>Enthält dringende Unterthemen</translation>
    </message>
    <message>
        <source>Created: </source>
        <translation>Erstellt: </translation>
    </message>
    <message>
        <source>Started:  </source>
        <translation>Begonnen:  </translation>
    </message>
    <message>
        <source>Sent from: </source>
        <translation>Gesendet von: </translation>
    </message>
    <message>
        <source>Choose type of event</source>
        <translation>Art des Ereignisses wählen</translation>
    </message>
    <message>
        <source>Choose type of task</source>
        <translation>Art der Aufgabe wählen</translation>
    </message>
    <message>
        <source>Event recurs every:</source>
        <translation>Ereignis wiederholt sich alle:</translation>
    </message>
    <message>
        <source>Task recurs every:</source>
        <translation>Aufgabe wiederholt sich alle:</translation>
    </message>
</context>
<context>
    <name>nimbus::CalendarActions</name>
    <message>
        <source>Export to calendar file...</source>
        <translation>In Kalenderdatei exportieren …</translation>
    </message>
    <message>
        <source>Export section to calendar file...</source>
        <translation>Abschnitt in Kalenderdatei exportieren …</translation>
    </message>
    <message>
        <source>Export all to calendar file...</source>
        <translation>Alles in Kalenderdatei exportieren …</translation>
    </message>
    <message>
        <source>Import calendar file...</source>
        <translation>Kalenderdatei importieren …</translation>
    </message>
</context>
<context>
    <name>nimbus::CalendarFiles</name>
    <message>
        <source>The calendar file could not be written</source>
        <translation>Die Kalenderdatei konnte nicht geschrieben werden</translation>
    </message>
    <message>
        <source>The calendar file could not be imported</source>
        <translation>Die Kalenderdatei konnte nicht importiert werden</translation>
    </message>
</context>
<context>
    <name>nimbus::CalendarPreviewDialog</name>
    <message>
        <source>Import calendar file</source>
        <translation>Kalenderdatei importieren</translation>
    </message>
    <message>
        <source>&amp;What the import will do:</source>
        <translation>&amp;Was der Import tun wird:</translation>
    </message>
    <message>
        <source>What the import will do</source>
        <translation>Was der Import tun wird</translation>
    </message>
    <message>
        <source>Add: </source>
        <translation>Hinzufügen: </translation>
    </message>
    <message>
        <source>Update: </source>
        <translation>Aktualisieren: </translation>
    </message>
    <message>
        <source>Skip: </source>
        <translation>Überspringen: </translation>
    </message>
</context>
<context>
    <name>nimbus::LanSharing</name>
    <message>
        <source>Sending topics</source>
        <translation>Themen werden gesendet</translation>
    </message>
    <message>
        <source>Receiving topics</source>
        <translation>Themen werden empfangen</translation>
    </message>
    <message>
        <source>Installing add-on topics</source>
        <translation>Zusatzthemen werden installiert</translation>
    </message>
</context>
<context>
    <name>nimbus::MainLayout</name>
    <message>
        <source>Topics</source>
        <translation>Themen</translation>
    </message>
</context>
<context>
    <name>nimbus::NetworkPage</name>
    <message>
        <source>Local Nimbus network information</source>
        <translation>Informationen zum lokalen Nimbus-Netzwerk</translation>
    </message>
    <message>
        <source>Local Nimbus network folder</source>
        <translation>Ordner des lokalen Nimbus-Netzwerks</translation>
    </message>
    <message>
        <source>Select or create local network Nimbus folder</source>
        <translation>Nimbus-Ordner im lokalen Netzwerk auswählen oder anlegen</translation>
    </message>
    <message>
        <source>Nimbus network password</source>
        <translation>Passwort des Nimbus-Netzwerks</translation>
    </message>
    <message>
        <source>Type in password again</source>
        <translation>Passwort erneut eingeben</translation>
    </message>
    <message>
        <source>Nimbus network user name</source>
        <translation>Benutzername im Nimbus-Netzwerk</translation>
    </message>
    <message>
        <source>Connection status</source>
        <translation>Verbindungsstatus</translation>
    </message>
    <message>
        <source>Local Nimbus network friends:</source>
        <translation>Kollegen im lokalen Nimbus-Netzwerk:</translation>
    </message>
    <message>
        <source>Back up my data</source>
        <translation>Meine Daten sichern</translation>
    </message>
    <message>
        <source>My data protection password</source>
        <translation>Passwort zum Schutz meiner Daten</translation>
    </message>
    <message>
        <source>Backup status</source>
        <translation>Status der Sicherung</translation>
    </message>
    <message>
        <source>No backup yet</source>
        <translation>Noch keine Sicherung</translation>
    </message>
</context>
<context>
    <name>nimbus::SoftwarePanel</name>
    <message>
        <source>Updates:</source>
        <translation>Aktualisierungen:</translation>
    </message>
    <message>
        <source>Display update log</source>
        <translation>Aktualisierungsprotokoll anzeigen</translation>
    </message>
    <message>
        <source>Check for updates</source>
        <translation>Nach Aktualisierungen suchen</translation>
    </message>
</context>
<context>
    <name>nimbus::TSelectFolder</name>
    <message>
        <source>Choose a folder or create a new folder</source>
        <translation>Einen Ordner wählen oder einen neuen Ordner anlegen</translation>
    </message>
    <message>
        <source>Drives:</source>
        <translation>Laufwerke:</translation>
    </message>
    <message>
        <source>Folder list:</source>
        <translation>Ordnerliste:</translation>
    </message>
    <message>
        <source>Files in this folder:</source>
        <translation>Dateien in diesem Ordner:</translation>
    </message>
    <message>
        <source>Folder name:</source>
        <translation>Ordnername:</translation>
    </message>
    <message>
        <source>New sub-folder name:</source>
        <translation>Name des neuen Unterordners:</translation>
    </message>
    <message>
        <source>Create subfolder</source>
        <translation>Unterordner anlegen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>&amp;Create new sub-folder</source>
        <translation>Neuen Unterordner &amp;anlegen</translation>
    </message>
</context>
<context>
    <name>nimbus::TformMain</name>
    <message>
        <source>Help and information</source>
        <translation>Hilfe und Informationen</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Close the program</source>
        <translation>Das Programm beenden</translation>
    </message>
    <message>
        <source>Activity log</source>
        <translation>Aktivitätsprotokoll</translation>
    </message>
    <message>
        <source>Log</source>
        <translation>Protokoll</translation>
    </message>
    <message>
        <source>Show the whole log</source>
        <translation>Das ganze Protokoll anzeigen</translation>
    </message>
    <message>
        <source>Local network information</source>
        <translation>Informationen zum lokalen Netzwerk</translation>
    </message>
    <message>
        <source>Share topics with colleagues through a shared folder.</source>
        <translation>Themen über einen freigegebenen Ordner mit Kollegen teilen.</translation>
    </message>
    <message>
        <source>Contacts</source>
        <translation>Kontakte</translation>
    </message>
    <message>
        <source>Nimbus Desk Information Assistant</source>
        <translation>Nimbus Desk Informationsassistent</translation>
    </message>
    <message>
        <source>Remove the topic &quot;%1&quot; and its %2 sub-topics?

&quot;Undo&quot; (Ctrl+Z) brings it back.</source>
        <translation>Das Thema „%1“ und seine %2 Unterthemen entfernen?

„Rückgängig“ (Strg+Z) holt es zurück.</translation>
    </message>
    <message>
        <source>Remove the topic &quot;%1&quot; and its 1 sub-topic?

&quot;Undo&quot; (Ctrl+Z) brings it back.</source>
        <translation>Das Thema „%1“ und sein Unterthema entfernen?

„Rückgängig“ (Strg+Z) holt es zurück.</translation>
    </message>
    <message>
        <source>Remove the topic &quot;%1&quot;?

&quot;Undo&quot; (Ctrl+Z) brings it back.</source>
        <translation>Das Thema „%1“ entfernen?

„Rückgängig“ (Strg+Z) holt es zurück.</translation>
    </message>
    <message>
        <source>The topic was removed while its options were open; nothing was changed.</source>
        <translation>Das Thema wurde entfernt, während seine Optionen offen waren; nichts wurde geändert.</translation>
    </message>
    <message>
        <source>While its options were open, &quot;%1&quot; was also changed elsewhere (by calendar sync, a colleague or nimbus-cli) in: %2.

Keep your changes there? No keeps the other change; your other changes are kept either way.</source>
        <translation>Während seine Optionen geöffnet waren, wurde „%1“ auch anderswo geändert (durch den Kalenderabgleich, einen Kollegen oder nimbus-cli), und zwar: %2.

Ihre Änderungen dort behalten? „Nein“ behält die andere Änderung; Ihre übrigen Änderungen bleiben in jedem Fall erhalten.</translation>
    </message>
</context>
<context>
    <name>nimbus::TopicOptionsMerge</name>
    <message>
        <source>title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <source>type</source>
        <translation>Art</translation>
    </message>
    <message>
        <source>status and progress</source>
        <translation>Status und Fortschritt</translation>
    </message>
    <message>
        <source>urgency</source>
        <translation>Dringlichkeit</translation>
    </message>
    <message>
        <source>dates and repeat</source>
        <translation>Termine und Wiederholung</translation>
    </message>
    <message>
        <source>priority</source>
        <translation>Priorität</translation>
    </message>
    <message>
        <source>flag ahead</source>
        <translation>Vorab als dringend markieren</translation>
    </message>
    <message>
        <source>duration</source>
        <translation>Dauer</translation>
    </message>
</context>
<context>
    <name>nimbus::TreeActions</name>
    <message>
        <source>Insert New Section</source>
        <translation>Neuen Abschnitt einfügen</translation>
    </message>
    <message>
        <source>Insert new topic</source>
        <translation>Neues Thema einfügen</translation>
    </message>
    <message>
        <source>Add new sub-topic</source>
        <translation>Neues Unterthema hinzufügen</translation>
    </message>
    <message>
        <source>Edit details</source>
        <translation>Details bearbeiten</translation>
    </message>
    <message>
        <source>Favourites</source>
        <translation>Favoriten</translation>
    </message>
    <message>
        <source>Skip this occurrence</source>
        <translation>Diesen Termin überspringen</translation>
    </message>
    <message>
        <source>Convert topic to a sub-topic</source>
        <translation>Thema in ein Unterthema umwandeln</translation>
    </message>
    <message>
        <source>Convert sub-topic to a topic</source>
        <translation>Unterthema in ein Thema umwandeln</translation>
    </message>
    <message>
        <source>Sort sub-topics</source>
        <translation>Unterthemen sortieren</translation>
    </message>
    <message>
        <source>Sort sub-tasks by urgency/priority</source>
        <translation>Unteraufgaben nach Dringlichkeit/Priorität sortieren</translation>
    </message>
    <message>
        <source>Sort sub-tasks by date due</source>
        <translation>Unteraufgaben nach Fälligkeitsdatum sortieren</translation>
    </message>
    <message>
        <source>Expand all</source>
        <translation>Alle aufklappen</translation>
    </message>
    <message>
        <source>Expand urgent tasks</source>
        <translation>Dringende Aufgaben aufklappen</translation>
    </message>
    <message>
        <source>Expand tasks in progress</source>
        <translation>Laufende Aufgaben aufklappen</translation>
    </message>
    <message>
        <source>Expand tasks and events due within two weeks</source>
        <translation>In zwei Wochen fällige Aufgaben und Ereignisse aufklappen</translation>
    </message>
    <message>
        <source>Expand tasks and events due within six weeks</source>
        <translation>In sechs Wochen fällige Aufgaben und Ereignisse aufklappen</translation>
    </message>
    <message>
        <source>Contract all</source>
        <translation>Alle zuklappen</translation>
    </message>
    <message>
        <source>Move topic up</source>
        <translation>Thema nach oben verschieben</translation>
    </message>
    <message>
        <source>Move topic down</source>
        <translation>Thema nach unten verschieben</translation>
    </message>
    <message>
        <source>Remove this topic permanently</source>
        <translation>Dieses Thema endgültig entfernen</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Change topic type ...</source>
        <translation>Themenart ändern …</translation>
    </message>
    <message>
        <source>Send copy to</source>
        <translation>Kopie senden an</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Wiederherstellen</translation>
    </message>
    <message>
        <source>Skip a refused step</source>
        <translation>Einen abgelehnten Schritt überspringen</translation>
    </message>
    <message>
        <source>Undo history ...</source>
        <translation>Verlauf der Änderungen …</translation>
    </message>
    <message>
        <source>Undo %1</source>
        <translation>Rückgängig: %1</translation>
    </message>
    <message>
        <source>Redo %1</source>
        <translation>Wiederherstellen: %1</translation>
    </message>
    <message>
        <source>Skip %1</source>
        <translation>Überspringen: %1</translation>
    </message>
</context>
<context>
    <name>nimbus::TreeHistory</name>
    <message>
        <source>Undo history</source>
        <translation>Verlauf der Änderungen</translation>
    </message>
    <message>
        <source>&lt;the session&apos;s start&gt;</source>
        <translation>&lt;Beginn der Sitzung&gt;</translation>
    </message>
</context>
<context>
    <name>nimbus::TreeToolbar</name>
    <message>
        <source>General topic group</source>
        <translation>Allgemeine Themengruppe</translation>
    </message>
    <message>
        <source>Notes and information</source>
        <translation>Notizen und Informationen</translation>
    </message>
    <message>
        <source>Ideas and suggestions</source>
        <translation>Ideen und Vorschläge</translation>
    </message>
    <message>
        <source>Finance</source>
        <translation>Finanzen</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>Ereignis</translation>
    </message>
    <message>
        <source>Task</source>
        <translation>Aufgabe</translation>
    </message>
    <message>
        <source>Task not started</source>
        <translation>Aufgabe nicht begonnen</translation>
    </message>
    <message>
        <source>Task in progress</source>
        <translation>Aufgabe in Bearbeitung</translation>
    </message>
    <message>
        <source>Task waiting</source>
        <translation>Aufgabe wartet</translation>
    </message>
    <message>
        <source>Task finished</source>
        <translation>Aufgabe erledigt</translation>
    </message>
    <message>
        <source>Task on hold</source>
        <translation>Aufgabe zurückgestellt</translation>
    </message>
    <message>
        <source>Mark as urgent</source>
        <translation>Als dringend markieren</translation>
    </message>
    <message>
        <source>Not urgent</source>
        <translation>Nicht dringend</translation>
    </message>
    <message>
        <source>Increase task priority</source>
        <translation>Priorität der Aufgabe erhöhen</translation>
    </message>
    <message>
        <source>Decrease task priority</source>
        <translation>Priorität der Aufgabe senken</translation>
    </message>
    <message>
        <source>Priority 1 - top</source>
        <translation>Priorität 1 – höchste</translation>
    </message>
    <message>
        <source>Priority %1</source>
        <translation>Priorität %1</translation>
    </message>
    <message>
        <source>Set task priority</source>
        <translation>Priorität der Aufgabe festlegen</translation>
    </message>
    <message>
        <source>1-9</source>
        <translation>1–9</translation>
    </message>
</context>
<context>
    <name>nimbus::caldavui::CalendarAccountDialog</name>
    <message>
        <source>Calendar sync</source>
        <translation>Kalenderabgleich</translation>
    </message>
    <message>
        <source>&amp;Server address:</source>
        <translation>&amp;Serveradresse:</translation>
    </message>
    <message>
        <source>&amp;User name:</source>
        <translation>&amp;Benutzername:</translation>
    </message>
    <message>
        <source>kept in the desktop&apos;s password store, or for this session only</source>
        <translation>in der Passwortverwaltung der Arbeitsumgebung gespeichert oder nur für diese Sitzung</translation>
    </message>
    <message>
        <source>&amp;Password:</source>
        <translation>&amp;Passwort:</translation>
    </message>
    <message>
        <source>&amp;Find calendars</source>
        <translation>Kalender &amp;suchen</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>Kalender</translation>
    </message>
    <message>
        <source>Keep in step with</source>
        <translation>Abgleichen mit</translation>
    </message>
    <message>
        <source>&amp;Calendars:</source>
        <translation>&amp;Kalender:</translation>
    </message>
    <message>
        <source> minutes</source>
        <translation> Minuten</translation>
    </message>
    <message>
        <source>Sync &amp;every:</source>
        <translation>Abgleich &amp;alle:</translation>
    </message>
    <message>
        <source>(not synced)</source>
        <translation>(nicht abgeglichen)</translation>
    </message>
    <message>
        <source>Keep %1 in step with</source>
        <translation>%1 abgleichen mit</translation>
    </message>
    <message>
        <source>Asking the server ...</source>
        <translation>Der Server wird gefragt …</translation>
    </message>
    <message>
        <source>The server lists no calendar for tasks or events.</source>
        <translation>Der Server führt keinen Kalender für Aufgaben oder Ereignisse.</translation>
    </message>
    <message numerus="yes">
        <source>%n calendar(s) found.</source>
        <translation>
            <numerusform>%n Kalender gefunden.</numerusform>
            <numerusform>%n Kalender gefunden.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>nimbus::caldavui::CalendarPreferencesBox</name>
    <message>
        <source>Calendar sync</source>
        <translation>Kalenderabgleich</translation>
    </message>
    <message>
        <source>Calendar sync ...</source>
        <translation>Kalenderabgleich …</translation>
    </message>
    <message>
        <source>The server, user name and password, and which calendar keeps which topic</source>
        <translation>Der Server, Benutzername und Passwort, und welcher Kalender welches Thema führt</translation>
    </message>
    <message>
        <source>No calendar is kept in step with a server.</source>
        <translation>Kein Kalender wird mit einem Server abgeglichen.</translation>
    </message>
    <message numerus="yes">
        <source>%1 at %2, every %n minute(s)</source>
        <translation>
            <numerusform>%1 auf %2, jede Minute</numerusform>
            <numerusform>%1 auf %2, alle %n Minuten</numerusform>
        </translation>
    </message>
    <message>
        <source>(topic not found)</source>
        <translation>(Thema nicht gefunden)</translation>
    </message>
</context>
<context>
    <name>nimbus::caldavui::CalendarSyncController</name>
    <message>
        <source>Calendar sync</source>
        <translation>Kalenderabgleich</translation>
    </message>
    <message>
        <source>Sync now</source>
        <translation>Jetzt abgleichen</translation>
    </message>
    <message>
        <source>Sync the calendar now</source>
        <translation>Den Kalender jetzt abgleichen</translation>
    </message>
    <message>
        <source>Calendar sync ...</source>
        <translation>Kalenderabgleich …</translation>
    </message>
    <message>
        <source>Keep topics in step with a calendar on a server</source>
        <translation>Themen mit einem Kalender auf einem Server abgleichen</translation>
    </message>
    <message>
        <source>Calendar sync failed: %1</source>
        <translation>Kalenderabgleich fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>Calendar sync failed: the calendar links could not be saved.</source>
        <translation>Kalenderabgleich fehlgeschlagen: Die Kalenderverknüpfungen konnten nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>Calendar sync: connecting to %1 ...</source>
        <translation>Kalenderabgleich: Verbindung zu %1 …</translation>
    </message>
    <message>
        <source>Calendar sync (%1): %2 of %3 - %4</source>
        <translation>Kalenderabgleich (%1): %2 von %3 – %4</translation>
    </message>
    <message>
        <source>The password for %1 at %2:</source>
        <translation>Das Passwort für %1 auf %2:</translation>
    </message>
    <message>
        <source>Calendar sync waits for the password (&quot;Sync now&quot; asks for it again).</source>
        <translation>Der Kalenderabgleich wartet auf das Passwort („Jetzt abgleichen“ fragt erneut danach).</translation>
    </message>
    <message>
        <source>Calendar sync waits for the password (&quot;Sync now&quot; asks for it).</source>
        <translation>Der Kalenderabgleich wartet auf das Passwort („Jetzt abgleichen“ fragt danach).</translation>
    </message>
    <message>
        <source>Calendar synced at %1: %2 sent, %3 received, %4 removed</source>
        <translation>Kalender um %1 abgeglichen: %2 gesendet, %3 empfangen, %4 entfernt</translation>
    </message>
    <message>
        <source>, %1 conflicts</source>
        <translation>, %1 Konflikte</translation>
    </message>
    <message>
        <source>, %1 not taken by the server (see the log)</source>
        <translation>, %1 vom Server nicht angenommen (siehe Protokoll)</translation>
    </message>
    <message>
        <source>, %1 kept here (the calendar is read-only)</source>
        <translation>, %1 hier behalten (der Kalender ist schreibgeschützt)</translation>
    </message>
    <message>
        <source>Calendar sync failed: %1 It is tried again later.</source>
        <translation>Kalenderabgleich fehlgeschlagen: %1 Er wird später erneut versucht.</translation>
    </message>
</context>
<context>
    <name>nimbus::checklist</name>
    <message>
        <source>Change</source>
        <translation>Ändern</translation>
    </message>
    <message>
        <source>Change selected item:</source>
        <translation>Gewählten Eintrag ändern:</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>New item:</source>
        <translation>Neuer Eintrag:</translation>
    </message>
    <message>
        <source>The checklist could not be saved as %1: %2</source>
        <translation>Die Checkliste konnte nicht als %1 gespeichert werden: %2</translation>
    </message>
</context>
<context>
    <name>nimbus::checklist::ChecklistActions</name>
    <message>
        <source>Change page title</source>
        <translation>Seitentitel ändern</translation>
    </message>
    <message>
        <source>Add new item</source>
        <translation>Neuen Eintrag hinzufügen</translation>
    </message>
    <message>
        <source>Insert new item</source>
        <translation>Neuen Eintrag einfügen</translation>
    </message>
    <message>
        <source>Change item</source>
        <translation>Eintrag ändern</translation>
    </message>
    <message>
        <source>Move up</source>
        <translation>Nach oben</translation>
    </message>
    <message>
        <source>Move down</source>
        <translation>Nach unten</translation>
    </message>
    <message>
        <source>Open link</source>
        <translation>Verknüpfung öffnen</translation>
    </message>
    <message>
        <source>Open containing folder</source>
        <translation>Enthaltenden Ordner öffnen</translation>
    </message>
    <message>
        <source>Select all</source>
        <translation>Alles auswählen</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Einfügen</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Drucken</translation>
    </message>
    <message>
        <source>Save as a Word document</source>
        <translation>Als Word-Dokument speichern</translation>
    </message>
    <message>
        <source>Remove selected item(s)</source>
        <translation>Gewählte Einträge entfernen</translation>
    </message>
    <message>
        <source>Remove all ticks</source>
        <translation>Alle Haken entfernen</translation>
    </message>
    <message>
        <source>Remove all dates</source>
        <translation>Alle Daten entfernen</translation>
    </message>
    <message>
        <source>Remove all items</source>
        <translation>Alle Einträge entfernen</translation>
    </message>
    <message>
        <source>Sort items</source>
        <translation>Einträge sortieren</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
</context>
<context>
    <name>nimbus::checklist::ChecklistPage</name>
    <message>
        <source>Type an item and press Enter to add it</source>
        <translation>Eintrag eingeben und mit der Eingabetaste hinzufügen</translation>
    </message>
    <message>
        <source>Cannot open &quot;%1&quot;.</source>
        <translation>„%1“ kann nicht geöffnet werden.</translation>
    </message>
    <message>
        <source>There is no folder to open for &quot;%1&quot;.</source>
        <translation>Für „%1“ gibt es keinen Ordner zum Öffnen.</translation>
    </message>
</context>
<context>
    <name>nimbus::dialogs::OperationProgressDialog</name>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Cancelling ...</source>
        <translation>Wird abgebrochen …</translation>
    </message>
</context>
<context>
    <name>nimbus::dialogs::RecurrenceEditor</name>
    <message>
        <source>Custom rule (weekdays, day of the month, an end)</source>
        <translation>Eigene Regel (Wochentage, Tag im Monat, Ende)</translation>
    </message>
    <message>
        <source>Replace with a new rule</source>
        <translation>Durch eine neue Regel ersetzen</translation>
    </message>
    <message>
        <source>Repeats:</source>
        <translation>Wiederholung:</translation>
    </message>
    <message>
        <source>Daily</source>
        <translation>Täglich</translation>
    </message>
    <message>
        <source>Weekly</source>
        <translation>Wöchentlich</translation>
    </message>
    <message>
        <source>Monthly</source>
        <translation>Monatlich</translation>
    </message>
    <message>
        <source>Yearly</source>
        <translation>Jährlich</translation>
    </message>
    <message>
        <source>every</source>
        <translation>alle</translation>
    </message>
    <message>
        <source>Every weekday</source>
        <translation>Jeden Werktag</translation>
    </message>
    <message>
        <source>On:</source>
        <translation>Am:</translation>
    </message>
    <message>
        <source>On day</source>
        <translation>Am Tag</translation>
    </message>
    <message>
        <source>On the</source>
        <translation>Am</translation>
    </message>
    <message>
        <source>first</source>
        <translation>ersten</translation>
    </message>
    <message>
        <source>second</source>
        <translation>zweiten</translation>
    </message>
    <message>
        <source>third</source>
        <translation>dritten</translation>
    </message>
    <message>
        <source>fourth</source>
        <translation>vierten</translation>
    </message>
    <message>
        <source>last</source>
        <translation>letzten</translation>
    </message>
    <message>
        <source>Custom rule</source>
        <translation>Eigene Regel</translation>
    </message>
    <message>
        <source>Repeats</source>
        <translation>Wiederholung</translation>
    </message>
    <message>
        <source>Repeats every</source>
        <translation>Wiederholung alle</translation>
    </message>
    <message>
        <source>Day of the month</source>
        <translation>Tag im Monat</translation>
    </message>
    <message>
        <source>Which weekday of the month</source>
        <translation>Welcher Wochentag im Monat</translation>
    </message>
    <message>
        <source>Weekday of the month</source>
        <translation>Wochentag im Monat</translation>
    </message>
    <message>
        <source>Number of times</source>
        <translation>Anzahl der Termine</translation>
    </message>
    <message>
        <source>Last date</source>
        <translation>Letztes Datum</translation>
    </message>
    <message>
        <source>Next dates</source>
        <translation>Nächste Termine</translation>
    </message>
    <message>
        <source>Never ends</source>
        <translation>Endet nie</translation>
    </message>
    <message>
        <source>Ends after</source>
        <translation>Endet nach</translation>
    </message>
    <message>
        <source>Ends on</source>
        <translation>Endet am</translation>
    </message>
    <message>
        <source>times</source>
        <translation>Terminen</translation>
    </message>
    <message>
        <source>This rule was made by another program; it is kept as it is.</source>
        <translation>Diese Regel stammt aus einem anderen Programm; sie bleibt unverändert.</translation>
    </message>
    <message>
        <source>day</source>
        <translation>Tag</translation>
    </message>
    <message>
        <source>days</source>
        <translation>Tage</translation>
    </message>
    <message>
        <source>week</source>
        <translation>Woche</translation>
    </message>
    <message>
        <source>weeks</source>
        <translation>Wochen</translation>
    </message>
    <message>
        <source>month</source>
        <translation>Monat</translation>
    </message>
    <message>
        <source>months</source>
        <translation>Monate</translation>
    </message>
    <message>
        <source>year</source>
        <translation>Jahr</translation>
    </message>
    <message>
        <source>years</source>
        <translation>Jahre</translation>
    </message>
    <message>
        <source>No dates ahead: the rule has ended.</source>
        <translation>Keine weiteren Termine: Die Regel ist abgelaufen.</translation>
    </message>
    <message>
        <source>Next dates: %1</source>
        <translation>Nächste Termine: %1</translation>
    </message>
</context>
<context>
    <name>nimbus::dialogs::TformHilite</name>
    <message>
        <source>HighLight Colour</source>
        <translation>Hervorhebungsfarbe</translation>
    </message>
    <message>
        <source>Preview:</source>
        <translation>Vorschau:</translation>
    </message>
    <message>
        <source>The quick brown fox jumped over the lazy dog.</source>
        <translation>Franz jagt im komplett verwahrlosten Taxi quer durch Bayern.</translation>
    </message>
    <message>
        <source>Text colour</source>
        <translation>Textfarbe</translation>
    </message>
    <message>
        <source>Background colour</source>
        <translation>Hintergrundfarbe</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>nimbus::dialogs::TformProgress</name>
    <message>
        <source>Topic options</source>
        <translation>Themenoptionen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Topic:</source>
        <translation>Thema:</translation>
    </message>
    <message>
        <source>One-off</source>
        <translation>Einmalig</translation>
    </message>
    <message>
        <source>Date due:</source>
        <translation>Fällig am:</translation>
    </message>
    <message>
        <source>Recurring</source>
        <translation>Wiederkehrend</translation>
    </message>
    <message>
        <source>Next date due:</source>
        <translation>Nächster Fälligkeitstermin:</translation>
    </message>
    <message>
        <source>Mark as complete automatically after the date due</source>
        <translation>Nach dem Fälligkeitstermin automatisch als erledigt markieren</translation>
    </message>
    <message>
        <source>Flag as urgent</source>
        <translation>Als dringend markieren</translation>
    </message>
    <message>
        <source>days before</source>
        <translation>Tage vorher</translation>
    </message>
    <message>
        <source>Duration:</source>
        <translation>Dauer:</translation>
    </message>
    <message>
        <source>Priority:</source>
        <translation>Priorität:</translation>
    </message>
    <message>
        <source>Percentage complete:</source>
        <translation>Fertigstellung in Prozent:</translation>
    </message>
    <message>
        <source>Calculate from sub-tasks</source>
        <translation>Aus Unteraufgaben berechnen</translation>
    </message>
    <message>
        <source>Remind me:</source>
        <translation>Erinnern:</translation>
    </message>
    <message>
        <source>Last done:</source>
        <translation>Zuletzt erledigt:</translation>
    </message>
    <message>
        <source>Date due</source>
        <translation>Fälligkeitsdatum</translation>
    </message>
    <message>
        <source>Time due</source>
        <translation>Fälligkeitszeit</translation>
    </message>
    <message>
        <source>Next date due</source>
        <translation>Nächstes Fälligkeitsdatum</translation>
    </message>
    <message>
        <source>Next time due</source>
        <translation>Nächste Fälligkeitszeit</translation>
    </message>
    <message>
        <source>Recurs every</source>
        <translation>Wiederholt sich alle</translation>
    </message>
    <message>
        <source>Recurrence period</source>
        <translation>Wiederholungszeitraum</translation>
    </message>
    <message>
        <source>Flag as urgent, days before</source>
        <translation>Als dringend markieren, Tage vorher</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>Dauer</translation>
    </message>
    <message>
        <source>Duration period</source>
        <translation>Einheit der Dauer</translation>
    </message>
    <message>
        <source>Priority</source>
        <translation>Priorität</translation>
    </message>
    <message>
        <source>Percentage complete</source>
        <translation>Fertigstellung in Prozent</translation>
    </message>
    <message>
        <source>Remind me</source>
        <translation>Erinnern</translation>
    </message>
</context>
<context>
    <name>nimbus::dialogs::TformSelection</name>
    <message>
        <source>Topic Selection</source>
        <translation>Themenauswahl</translation>
    </message>
    <message>
        <source>Select topic</source>
        <translation>Thema wählen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>nimbus::dialogs::TformTitle</name>
    <message>
        <source>Page title</source>
        <translation>Seitentitel</translation>
    </message>
    <message>
        <source>Type in a new title for this page and click OK</source>
        <translation>Einen neuen Titel für diese Seite eingeben und auf OK klicken</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>nimbus::dialogs::TformTopicSelect</name>
    <message>
        <source>Select topic type</source>
        <translation>Themenart wählen</translation>
    </message>
    <message>
        <source>Things to do</source>
        <translation>Zu erledigen</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Informationen</translation>
    </message>
    <message>
        <source>Ideas</source>
        <translation>Ideen</translation>
    </message>
    <message>
        <source>Finances</source>
        <translation>Finanzen</translation>
    </message>
    <message>
        <source>Events</source>
        <translation>Ereignisse</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>nimbus::dialogs::TimePicker</name>
    <message>
        <source>Due time</source>
        <translation>Fällig um</translation>
    </message>
    <message>
        <source>%1 set</source>
        <translation>%1 gesetzt</translation>
    </message>
</context>
<context>
    <name>nimbus::fileio</name>
    <message>
        <source>it is a symbolic link</source>
        <translation>es ist eine symbolische Verknüpfung</translation>
    </message>
    <message>
        <source>it is a folder</source>
        <translation>es ist ein Ordner</translation>
    </message>
    <message>
        <source>it is not a plain file</source>
        <translation>es ist keine gewöhnliche Datei</translation>
    </message>
</context>
<context>
    <name>nimbus::ipc</name>
    <message>
        <source>it is a symbolic link</source>
        <translation>es ist eine symbolische Verknüpfung</translation>
    </message>
    <message>
        <source>it is not a folder</source>
        <translation>es ist kein Ordner</translation>
    </message>
    <message>
        <source>it belongs to another account (user id %1)</source>
        <translation>er gehört einem anderen Benutzerkonto (Benutzerkennung %1)</translation>
    </message>
    <message>
        <source>The folder %1, where this program finds its running copy, cannot be used: %2. %3 is used instead.</source>
        <translation>Der Ordner %1, in dem dieses Programm seine laufende Kopie findet, kann nicht verwendet werden: %2. Stattdessen wird %3 verwendet.</translation>
    </message>
    <message>
        <source>The folder %1, where this program finds its running copy, cannot be used: %2. Remove that folder, or set XDG_RUNTIME_DIR to a private folder of yours, and start the program again.</source>
        <translation>Der Ordner %1, in dem dieses Programm seine laufende Kopie findet, kann nicht verwendet werden: %2. Entfernen Sie diesen Ordner oder setzen Sie XDG_RUNTIME_DIR auf einen eigenen privaten Ordner, und starten Sie das Programm erneut.</translation>
    </message>
</context>
<context>
    <name>nimbus::pages::AboutPage</name>
    <message>
        <source>Operating system:</source>
        <translation>Betriebssystem:</translation>
    </message>
    <message>
        <source>OS Version:</source>
        <translation>Version des Betriebssystems:</translation>
    </message>
    <message>
        <source>Processor:</source>
        <translation>Prozessor:</translation>
    </message>
    <message>
        <source>Information Assistant</source>
        <translation>Informationsassistent</translation>
    </message>
    <message>
        <source>Version </source>
        <translation>Version </translation>
    </message>
    <message>
        <source>Copyright %1 %2 the makers of Nimbus Desk. All rights reserved.</source>
        <translation>Copyright %1 %2 die Macher von Nimbus Desk. Alle Rechte vorbehalten.</translation>
    </message>
</context>
<context>
    <name>nimbus::pages::DetailsEditor</name>
    <message>
        <source>Details</source>
        <translation>Details</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Drucken</translation>
    </message>
    <message>
        <source>Save as a Word document</source>
        <translation>Als Word-Dokument speichern</translation>
    </message>
    <message>
        <source>Change page title</source>
        <translation>Seitentitel ändern</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>Select all</source>
        <translation>Alles auswählen</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>Ausschneiden</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Einfügen</translation>
    </message>
    <message>
        <source>Switch highlighting on/off</source>
        <translation>Hervorhebung ein/aus</translation>
    </message>
    <message>
        <source>it holds a word or paragraph of %1 characters, which is shown cut short.</source>
        <translation>sie enthält ein Wort oder einen Absatz mit %1 Zeichen, der gekürzt angezeigt wird.</translation>
    </message>
    <message>
        <source>The page could not be saved as %1: %2</source>
        <translation>Die Seite konnte nicht als %1 gespeichert werden: %2</translation>
    </message>
</context>
<context>
    <name>nimbus::pages::DetailsFormatting</name>
    <message>
        <source>Font</source>
        <translation>Schrift</translation>
    </message>
    <message>
        <source>Chant font settings</source>
        <translation>Schrifteinstellungen ändern</translation>
    </message>
    <message>
        <source>&amp;Bold</source>
        <translation>&amp;Fett</translation>
    </message>
    <message>
        <source>&amp;Strikeout</source>
        <translation>&amp;Durchgestrichen</translation>
    </message>
    <message>
        <source>&amp;Italic</source>
        <translation>&amp;Kursiv</translation>
    </message>
    <message>
        <source>&amp;Underline</source>
        <translation>&amp;Unterstrichen</translation>
    </message>
    <message>
        <source>&amp;Bullets</source>
        <translation>&amp;Aufzählungszeichen</translation>
    </message>
    <message>
        <source>Paragraph numbers</source>
        <translation>Absatznummerierung</translation>
    </message>
    <message>
        <source>Paragraph indent</source>
        <translation>Absatz einrücken</translation>
    </message>
    <message>
        <source>Paragraph outdent</source>
        <translation>Absatz ausrücken</translation>
    </message>
</context>
<context>
    <name>nimbus::pages::HighlightControl</name>
    <message>
        <source>Highlight text</source>
        <translation>Text hervorheben</translation>
    </message>
    <message>
        <source>Remove highlighting</source>
        <translation>Hervorhebung entfernen</translation>
    </message>
    <message>
        <source>Text highlighting on or off</source>
        <translation>Texthervorhebung ein oder aus</translation>
    </message>
    <message>
        <source>Background highlighting on or off</source>
        <translation>Hintergrundhervorhebung ein oder aus</translation>
    </message>
</context>
<context>
    <name>nimbus::pages::PreferencesPage</name>
    <message>
        <source>Preferences</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Date format</source>
        <translation>Datumsformat</translation>
    </message>
    <message>
        <source>Sound effects on</source>
        <translation>Klangeffekte an</translation>
    </message>
    <message>
        <source>Show summary at start up</source>
        <translation>Übersicht beim Start anzeigen</translation>
    </message>
    <message>
        <source>Change details page normal font settings</source>
        <translation>Normale Schrifteinstellungen der Detailseiten ändern</translation>
    </message>
</context>
<context>
    <name>nimbus::pages::TopicPage</name>
    <message>
        <source>This topic is locked</source>
        <translation>Dieses Thema ist gesperrt</translation>
    </message>
    <message>
        <source>Change page title</source>
        <translation>Seitentitel ändern</translation>
    </message>
    <message>
        <source>It is shown read-only and its file is left as it is.</source>
        <translation>Sie wird schreibgeschützt angezeigt, und ihre Datei bleibt unverändert.</translation>
    </message>
    <message>
        <source>This page could not be read (%1). </source>
        <translation>Diese Seite konnte nicht gelesen werden (%1). </translation>
    </message>
    <message>
        <source>This page could not be read completely: %1 </source>
        <translation>Diese Seite konnte nicht vollständig gelesen werden: %1 </translation>
    </message>
    <message>
        <source>This page holds %1, which this editor cannot keep. </source>
        <translation>Diese Seite enthält %1, was dieser Editor nicht bewahren kann. </translation>
    </message>
    <message>
        <source>, </source>
        <translation>, </translation>
    </message>
    <message>
        <source>The changes to the page &quot;%1&quot; of &quot;%2&quot; could not be saved (%3). They are kept and saved again with the next save.</source>
        <translation>Die Änderungen an der Seite „%1“ von „%2“ konnten nicht gespeichert werden (%3). Sie bleiben erhalten und werden beim nächsten Speichern erneut gespeichert.</translation>
    </message>
    <message>
        <source> %1 pages are waiting to be saved.</source>
        <translation> %1 Seiten warten darauf, gespeichert zu werden.</translation>
    </message>
</context>
<context>
    <name>nimbus::reminders</name>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Snooze 10 minutes</source>
        <translation>10 Minuten schlummern</translation>
    </message>
    <message>
        <source>Snooze 1 hour</source>
        <translation>1 Stunde schlummern</translation>
    </message>
    <message>
        <source>Snooze until tomorrow morning</source>
        <translation>Bis morgen früh schlummern</translation>
    </message>
    <message>
        <source>Mark completed</source>
        <translation>Als erledigt markieren</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keine</translation>
    </message>
    <message>
        <source>1 hour before</source>
        <translation>1 Stunde vorher</translation>
    </message>
    <message>
        <source>1 day before</source>
        <translation>1 Tag vorher</translation>
    </message>
    <message numerus="yes">
        <source>%n minute(s) before</source>
        <translation>
            <numerusform>%n Minute vorher</numerusform>
            <numerusform>%n Minuten vorher</numerusform>
        </translation>
    </message>
    <message>
        <source>at %1 on %2</source>
        <translation>um %1 am %2</translation>
    </message>
    <message>
        <source>at %1</source>
        <translation>um %1</translation>
    </message>
    <message>
        <source>on %1</source>
        <translation>am %1</translation>
    </message>
    <message>
        <source>today</source>
        <translation>heute</translation>
    </message>
    <message>
        <source>%1 on %2</source>
        <translation>%1 am %2</translation>
    </message>
    <message numerus="yes">
        <source>in %n minute(s)</source>
        <translation>
            <numerusform>in %n Minute</numerusform>
            <numerusform>in %n Minuten</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %n hour(s)</source>
        <translation>
            <numerusform>in %n Stunde</numerusform>
            <numerusform>in %n Stunden</numerusform>
        </translation>
    </message>
    <message>
        <source>in %1 %2</source>
        <translation>in %1 %2</translation>
    </message>
    <message numerus="yes">
        <source>%n hour(s)</source>
        <translation>
            <numerusform>%n Stunde</numerusform>
            <numerusform>%n Stunden</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n minute(s)</source>
        <translation>
            <numerusform>%n Minute</numerusform>
            <numerusform>%n Minuten</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %n day(s)</source>
        <translation>
            <numerusform>in %n Tag</numerusform>
            <numerusform>in %n Tagen</numerusform>
        </translation>
    </message>
    <message>
        <source>Due %1, %2</source>
        <translation>Fällig %1, %2</translation>
    </message>
    <message>
        <source>Starts %1, %2</source>
        <translation>Beginnt %1, %2</translation>
    </message>
    <message>
        <source>Due %1</source>
        <translation>Fällig %1</translation>
    </message>
    <message>
        <source>Starts today</source>
        <translation>Beginnt heute</translation>
    </message>
    <message>
        <source>Started %1</source>
        <translation>Begonnen %1</translation>
    </message>
    <message>
        <source>Starts now, %1</source>
        <translation>Beginnt jetzt, %1</translation>
    </message>
    <message>
        <source>Due today, %1</source>
        <translation>Heute fällig, %1</translation>
    </message>
    <message>
        <source>Due today</source>
        <translation>Heute fällig</translation>
    </message>
    <message>
        <source>Now urgent: due %1</source>
        <translation>Jetzt dringend: fällig %1</translation>
    </message>
    <message>
        <source>Now urgent: starts %1</source>
        <translation>Jetzt dringend: beginnt %1</translation>
    </message>
    <message>
        <source>Overdue: was due %1</source>
        <translation>Überfällig: war fällig %1</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message numerus="yes">
        <source>(%n time(s) since %1)</source>
        <translation>
            <numerusform>(%n-mal seit %1)</numerusform>
            <numerusform>(%n-mal seit %1)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n reminder(s) while Nimbus Desk was closed</source>
        <translation>
            <numerusform>%n Erinnerung, während Nimbus Desk geschlossen war</numerusform>
            <numerusform>%n Erinnerungen, während Nimbus Desk geschlossen war</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n reminder(s) you missed</source>
        <translation>
            <numerusform>%n verpasste Erinnerung</numerusform>
            <numerusform>%n verpasste Erinnerungen</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 reminders</source>
        <translation>%1 Erinnerungen</translation>
    </message>
    <message>
        <source>%1 topics are coming up</source>
        <translation>%1 Themen stehen an</translation>
    </message>
    <message>
        <source>%1 topics are due today</source>
        <translation>%1 Themen sind heute fällig</translation>
    </message>
    <message>
        <source>%1 events are starting</source>
        <translation>%1 Ereignisse beginnen</translation>
    </message>
    <message>
        <source>%1 topics are now urgent</source>
        <translation>%1 Themen sind jetzt dringend</translation>
    </message>
    <message>
        <source>%1 topics are overdue</source>
        <translation>%1 Themen sind überfällig</translation>
    </message>
    <message>
        <source>soon</source>
        <translation>bald</translation>
    </message>
    <message>
        <source>due today</source>
        <translation>heute fällig</translation>
    </message>
    <message>
        <source>starts</source>
        <translation>beginnt</translation>
    </message>
    <message>
        <source>urgent</source>
        <translation>dringend</translation>
    </message>
    <message>
        <source>overdue</source>
        <translation>überfällig</translation>
    </message>
    <message>
        <source>snoozed</source>
        <translation>zurückgestellt</translation>
    </message>
    <message>
        <source>Nimbus Desk: nothing overdue or urgent</source>
        <translation>Nimbus Desk: nichts überfällig oder dringend</translation>
    </message>
    <message>
        <source>Nimbus Desk: %1 overdue, %2 urgent, %3 due today</source>
        <translation>Nimbus Desk: %1 überfällig, %2 dringend, %3 heute fällig</translation>
    </message>
</context>
<context>
    <name>nimbus::reminderui::ReminderPreferencesBox</name>
    <message>
        <source>Reminders</source>
        <translation>Erinnerungen</translation>
    </message>
    <message>
        <source>Remind me of events and tasks as they come due</source>
        <translation>An fällige Ereignisse und Aufgaben erinnern</translation>
    </message>
    <message>
        <source>Play a sound with reminders</source>
        <translation>Bei Erinnerungen einen Ton abspielen</translation>
    </message>
    <message>
        <source>Quiet hours from</source>
        <translation>Ruhezeit von</translation>
    </message>
    <message>
        <source>to</source>
        <translation>bis</translation>
    </message>
    <message>
        <source>Keep running in the tray when the window is closed</source>
        <translation>Im Systemabschnitt der Kontrollleiste weiterlaufen, wenn das Fenster geschlossen ist</translation>
    </message>
</context>
<context>
    <name>nimbus::reminderui::ReminderTray</name>
    <message>
        <source>Overdue: %1</source>
        <translation>Überfällig: %1</translation>
    </message>
    <message>
        <source>Urgent: %1</source>
        <translation>Dringend: %1</translation>
    </message>
    <message>
        <source>Due today: %1</source>
        <translation>Heute fällig: %1</translation>
    </message>
    <message>
        <source>Show Nimbus Desk</source>
        <translation>Nimbus Desk anzeigen</translation>
    </message>
    <message>
        <source>No reminders to come</source>
        <translation>Keine anstehenden Erinnerungen</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
</context>
<context>
    <name>nimbus::reminderui::ReminderWindow</name>
    <message>
        <source>Nimbus Desk reminders</source>
        <translation>Erinnerungen von Nimbus Desk</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>nimbus::searchui::SearchController</name>
    <message>
        <source>title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <source>page: %1</source>
        <translation>Seite: %1</translation>
    </message>
    <message>
        <source>checklist: %1</source>
        <translation>Checkliste: %1</translation>
    </message>
    <message>
        <source>Search (Ctrl+F)</source>
        <translation>Suchen (Strg+F)</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Saved searches</source>
        <translation>Gespeicherte Suchen</translation>
    </message>
    <message>
        <source>Saved searches (Alt+Down)</source>
        <translation>Gespeicherte Suchen (Alt+Unten)</translation>
    </message>
    <message>
        <source>Save this search</source>
        <translation>Diese Suche speichern</translation>
    </message>
    <message>
        <source>Name for the search &quot;%1&quot;:</source>
        <translation>Name für die Suche „%1“:</translation>
    </message>
    <message>
        <source>A saved search is called &quot;%1&quot;. Replace it?</source>
        <translation>Eine gespeicherte Suche heißt bereits „%1“. Ersetzen?</translation>
    </message>
    <message>
        <source>Building the search index: %1 of %2 topics</source>
        <translation>Suchindex wird erstellt: %1 von %2 Themen</translation>
    </message>
    <message>
        <source>%1 hits, the first %2 shown</source>
        <translation>%1 Treffer, die ersten %2 angezeigt</translation>
    </message>
    <message>
        <source>1 hit</source>
        <translation>1 Treffer</translation>
    </message>
    <message>
        <source>%1 hits</source>
        <translation>%1 Treffer</translation>
    </message>
    <message>
        <source>Save this search...</source>
        <translation>Diese Suche speichern …</translation>
    </message>
    <message>
        <source>No saved searches</source>
        <translation>Keine gespeicherten Suchen</translation>
    </message>
    <message>
        <source>Remove saved search</source>
        <translation>Gespeicherte Suche entfernen</translation>
    </message>
</context>
<context>
    <name>nimbus::searchui::SearchResultsPage</name>
    <message>
        <source>Search results</source>
        <translation>Suchergebnisse</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>%1, %2, %3: %4</source>
        <translation>%1, %2, %3: %4</translation>
    </message>
</context>
<context>
    <name>nimbus::sharing</name>
    <message>
        <source>Not connected</source>
        <translation>Nicht verbunden</translation>
    </message>
    <message>
        <source>Connected OK</source>
        <translation>Verbunden</translation>
    </message>
    <message>
        <source>*** LAN Nimbus not accessible</source>
        <translation>*** LAN-Nimbus nicht erreichbar</translation>
    </message>
    <message>
        <source>*** LAN Nimbus not found</source>
        <translation>*** LAN-Nimbus nicht gefunden</translation>
    </message>
    <message>
        <source>*** Unable to create LAN Nimbus</source>
        <translation>*** LAN-Nimbus kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>*** LAN Nimbus password incorrect</source>
        <translation>*** Passwort des LAN-Nimbus falsch</translation>
    </message>
    <message>
        <source>*** LAN Nimbus access not allowed</source>
        <translation>*** Zugriff auf LAN-Nimbus nicht erlaubt</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Verbinden</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Trennen</translation>
    </message>
    <message>
        <source>This LAN Nimbus connection does not exist yet.
Do you wish to create it now?</source>
        <translation>Diese LAN-Nimbus-Verbindung gibt es noch nicht.
Möchten Sie sie jetzt anlegen?</translation>
    </message>
    <message>
        <source>Do you wish to lock the topic so receivers cannot make changes?</source>
        <translation>Möchten Sie das Thema sperren, damit Empfänger es nicht ändern können?</translation>
    </message>
</context>
<context>
    <name>nimbus::startup</name>
    <message>
        <source>The folder %1, where this program finds its running copy, cannot be used: %2.</source>
        <translation>Der Ordner %1, in dem dieses Programm seine laufende Kopie findet, kann nicht verwendet werden: %2.</translation>
    </message>
    <message>
        <source>Another program holds %1nimbus_active and does not answer: Nimbus Desk does not start beside it.</source>
        <translation>Ein anderes Programm belegt %1nimbus_active und antwortet nicht: Nimbus Desk startet nicht daneben.</translation>
    </message>
    <message>
        <source>The lock file %1 cannot be used (%2). Nimbus Desk runs, but nimbus-cli refuses to write your topics itself while this is not a plain file: remove it, and Nimbus Desk makes a new one at its next start.</source>
        <translation>Die Sperrdatei %1 kann nicht verwendet werden (%2). Nimbus Desk läuft, aber nimbus-cli schreibt Ihre Themen nicht selbst, solange dies keine gewöhnliche Datei ist: Entfernen Sie sie, und Nimbus Desk legt beim nächsten Start eine neue an.</translation>
    </message>
    <message>
        <source>Some topics could not be read from the structure file:</source>
        <translation>Einige Themen konnten nicht aus der Strukturdatei gelesen werden:</translation>
    </message>
    <message>
        <source>The main log lists every problem.</source>
        <translation>Das Hauptprotokoll führt jedes Problem auf.</translation>
    </message>
</context>
<context>
    <name>nimbus::store</name>
    <message>
        <source>it could not be read to its end: %1</source>
        <translation>sie konnte nicht bis zum Ende gelesen werden: %1</translation>
    </message>
    <message>
        <source>it is written in UTF-16, not as 8-bit text</source>
        <translation>sie ist in UTF-16 geschrieben, nicht als 8-Bit-Text</translation>
    </message>
    <message>
        <source>Lines without &quot;=&quot; were ignored, the first (line %1)</source>
        <translation>Zeilen ohne „=“ wurden übergangen, die erste (Zeile %1)</translation>
    </message>
    <message>
        <source>The topic (line %1) has no level; it is kept at level %2</source>
        <translation>Das Thema (Zeile %1) hat keine Ebene; es bleibt auf Ebene %2</translation>
    </message>
    <message>
        <source>The topic (line %1) with the repeated id %2 now has the id %3</source>
        <translation>Das Thema (Zeile %1) mit der doppelten Kennung %2 hat jetzt die Kennung %3</translation>
    </message>
    <message>
        <source>The topic (line %1) has the level &quot;%2&quot;, which is not a level (line %3); it is kept at level %4</source>
        <translation>Das Thema (Zeile %1) hat die Ebene „%2“, die keine Ebene ist (Zeile %3); es bleibt auf Ebene %4</translation>
    </message>
    <message>
        <source>The structure file could not be read: %1. It is left as it is and nothing is saved over it.</source>
        <translation>Die Strukturdatei konnte nicht gelesen werden: %1. Sie bleibt, wie sie ist, und nichts wird über sie gespeichert.</translation>
    </message>
    <message>
        <source>The structure file ends in the middle of a line: it was cut short, and the last topic may be incomplete</source>
        <translation>Die Strukturdatei endet mitten in einer Zeile: Sie wurde abgeschnitten, und das letzte Thema ist vielleicht unvollständig</translation>
    </message>
</context>
<context>
    <name>nimbus::summary</name>
    <message>
        <source>Deadlines: </source>
        <translation>Fristen: </translation>
    </message>
    <message>
        <source>Urgent: </source>
        <translation>Dringend: </translation>
    </message>
    <message>
        <source>Overdue: </source>
        <translation>Überfällig: </translation>
    </message>
    <message>
        <source>Events: </source>
        <translation>Ereignisse: </translation>
    </message>
    <message>
        <source>In progress: </source>
        <translation>In Bearbeitung: </translation>
    </message>
    <message>
        <source>New: </source>
        <translation>Neu: </translation>
    </message>
    <message>
        <source>Changes: </source>
        <translation>Geändert: </translation>
    </message>
    <message>
        <source>Favourites: </source>
        <translation>Favoriten: </translation>
    </message>
    <message>
        <source>Waiting: </source>
        <translation>Wartend: </translation>
    </message>
    <message>
        <source>Deadlines next 2 weeks</source>
        <translation>Fristen der nächsten 2 Wochen</translation>
    </message>
    <message>
        <source>Urgent</source>
        <translation>Dringend</translation>
    </message>
    <message>
        <source>Overdue</source>
        <translation>Überfällig</translation>
    </message>
    <message>
        <source>Events next 2 weeks</source>
        <translation>Ereignisse der nächsten 2 Wochen</translation>
    </message>
    <message>
        <source>In progress</source>
        <translation>In Bearbeitung</translation>
    </message>
    <message>
        <source>New topics</source>
        <translation>Neue Themen</translation>
    </message>
    <message>
        <source>Changed topics</source>
        <translation>Geänderte Themen</translation>
    </message>
    <message>
        <source>Favourites</source>
        <translation>Favoriten</translation>
    </message>
    <message>
        <source>Tasks waiting</source>
        <translation>Wartende Aufgaben</translation>
    </message>
    <message>
        <source>Task deadlines in the next six weeks</source>
        <translation>Aufgabenfristen der nächsten sechs Wochen</translation>
    </message>
    <message>
        <source>Urgent topics</source>
        <translation>Dringende Themen</translation>
    </message>
    <message>
        <source>Tasks overdue</source>
        <translation>Überfällige Aufgaben</translation>
    </message>
    <message>
        <source>Events in the next six weeks</source>
        <translation>Ereignisse der nächsten sechs Wochen</translation>
    </message>
    <message>
        <source>Tasks in progress</source>
        <translation>Aufgaben in Bearbeitung</translation>
    </message>
    <message>
        <source>Recent new topics - latest first</source>
        <translation>Neue Themen – neueste zuerst</translation>
    </message>
    <message>
        <source>Recent changes - latest first</source>
        <translation>Letzte Änderungen – neueste zuerst</translation>
    </message>
</context>
<context>
    <name>nimbus::summarypage::SummaryPage</name>
    <message>
        <source>Saved searches</source>
        <translation>Gespeicherte Suchen</translation>
    </message>
    <message>
        <source>Show Summary</source>
        <translation>Übersicht anzeigen</translation>
    </message>
    <message>
        <source>Click a badge to list its topics; click the sky to close</source>
        <translation>Ein Abzeichen anklicken, um seine Themen aufzulisten; den Himmel anklicken, um zu schließen</translation>
    </message>
</context>
<context>
    <name>nimbus::viewer</name>
    <message>
        <source>text</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>number</source>
        <translation>Zahl</translation>
    </message>
    <message>
        <source>date - dd/mm/yy or dd/mm/yyyy</source>
        <translation>Datum – dd/mm/yy oder dd/mm/yyyy</translation>
    </message>
    <message>
        <source>date - mm/dd/yy or mm/dd/yyyy</source>
        <translation>Datum – mm/dd/yy oder mm/dd/yyyy</translation>
    </message>
    <message>
        <source>date - yy/mm/dd or yyyy/mm/dd</source>
        <translation>Datum – yy/mm/dd oder yyyy/mm/dd</translation>
    </message>
    <message>
        <source>date - yyyymmdd</source>
        <translation>Datum – yyyymmdd</translation>
    </message>
</context>
<context>
    <name>nimbus::viewer::TFileDisplayColumnForm</name>
    <message>
        <source>File Display - Column Details</source>
        <translation>Dateianzeige – Spaltendetails</translation>
    </message>
    <message>
        <source>Column heading text</source>
        <translation>Text der Spaltenüberschrift</translation>
    </message>
    <message>
        <source> Column Display </source>
        <translation> Spaltenanzeige </translation>
    </message>
    <message>
        <source>visible</source>
        <translation>sichtbar</translation>
    </message>
    <message>
        <source>hidden</source>
        <translation>ausgeblendet</translation>
    </message>
    <message>
        <source> Data type for sorting </source>
        <translation> Datentyp zum Sortieren </translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>nimbus::viewer::TFormSelectVersion</name>
    <message>
        <source>File versions</source>
        <translation>Dateiversionen</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Date/time</source>
        <translation>Datum/Uhrzeit</translation>
    </message>
    <message>
        <source>Display</source>
        <translation>Anzeigen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>nimbus::viewer::TformFileDisplayOptions</name>
    <message>
        <source>Select file</source>
        <translation>Datei wählen</translation>
    </message>
    <message>
        <source>File Display Options</source>
        <translation>Optionen der Dateianzeige</translation>
    </message>
    <message>
        <source>These options enable you to customise the way this file is displayed whenever you look at it</source>
        <translation>Mit diesen Optionen legen Sie fest, wie diese Datei jedes Mal angezeigt wird, wenn Sie sie ansehen</translation>
    </message>
    <message>
        <source>Always open the file at the end </source>
        <translation>Die Datei immer am Ende öffnen </translation>
    </message>
    <message>
        <source>The file has columns</source>
        <translation>Die Datei hat Spalten</translation>
    </message>
    <message>
        <source>Column headings are in the first line</source>
        <translation>Die Spaltenüberschriften stehen in der ersten Zeile</translation>
    </message>
    <message>
        <source>Always open the file sorted by this column</source>
        <translation>Die Datei immer nach dieser Spalte sortiert öffnen</translation>
    </message>
    <message>
        <source>Show table rotated</source>
        <translation>Tabelle gedreht anzeigen</translation>
    </message>
    <message>
        <source>Get column headings from a file:</source>
        <translation>Spaltenüberschriften aus einer Datei holen:</translation>
    </message>
    <message>
        <source>Show template fields</source>
        <translation>Vorlagenfelder anzeigen</translation>
    </message>
    <message>
        <source>Text size:</source>
        <translation>Textgröße:</translation>
    </message>
    <message>
        <source>Column Details</source>
        <translation>Spaltendetails</translation>
    </message>
    <message>
        <source>Data type</source>
        <translation>Datentyp</translation>
    </message>
    <message>
        <source>Display</source>
        <translation>Anzeigen</translation>
    </message>
    <message>
        <source>Reset column details</source>
        <translation>Spaltendetails zurücksetzen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>visible</source>
        <translation>sichtbar</translation>
    </message>
    <message>
        <source>hidden</source>
        <translation>ausgeblendet</translation>
    </message>
    <message>
        <source>All Files (*.*)</source>
        <translation>Alle Dateien (*.*)</translation>
    </message>
</context>
</TS>
