<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
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
        <translation>Utilisation&#xa0;: nimbus-cli add TITRE [--under ID] [--type TYPE] [--due DATE [HEURE]]
                            [--recur N UNITÉ] [--priority N] [--urgent] [--request-id ID]

Ajoute un sujet en dernier sous ID (dans la section «&#xa0;Topics&#xa0;» sans --under) et
affiche son identifiant. Un nouveau sujet est une tâche, sauf si --type nomme un autre type.

  --type TYPE      task, event, note, idea, finance ou general
  --due DATE       JJ/MM/AAAA (ou l’ordre de date de vos préférences), AAAA-MM-JJ,
                   today, tomorrow, un nom de jour en anglais, +3d, +2w&#xa0;; une heure
                   peut suivre&#xa0;: --due &quot;friday 14:30&quot; ou --due friday 14:30
  --recur RÉPÉT.   tous les N minutes, hours, days, weeks, months ou years (&quot;2 weeks&quot;),
                   ou une règle&#xa0;: weekdays, mon,wed,fri, &quot;every 2 weeks on mon,thu&quot;,
                   &quot;2nd tue&quot;, &quot;last fri&quot;, &quot;monthly on 15 x10&quot;,
                   &quot;weekly until 2027-06-30&quot; (une règle de plusieurs mots entre guillemets)
  --priority N     1 (la plus haute) à 9
  --urgent         la marquer urgente
</translation>
    </message>
    <message>
        <source>
While Nimbus Desk runs the topic is added by the program, as if you had added it
there; otherwise nimbus-cli writes the store itself.
</source>
        <translation>
Pendant que Nimbus Desk s’exécute, c’est le programme qui ajoute le sujet, comme si vous
l’y aviez ajouté&#xa0;; sinon nimbus-cli écrit lui-même le magasin.
</translation>
    </message>
    <message>
        <source>Added %1</source>
        <translation>Ajouté&#xa0;: %1</translation>
    </message>
    <message>
        <source>add a topic</source>
        <translation>ajouter un sujet</translation>
    </message>
</context>
<context>
    <name>ChangeCommand</name>
    <message>
        <source>  --request-id ID  sent again with the same ID (1 to 64 letters, digits, &quot;.&quot;, &quot;_&quot; or
                   &quot;-&quot;), the change is answered as the first time, never made twice
</source>
        <translation>  --request-id ID  renvoyée avec le même ID (1 à 64 lettres, chiffres, «&#xa0;.&#xa0;», «&#xa0;_&#xa0;» ou
                   «&#xa0;-&#xa0;»), la modification reçoit la première réponse et n’est jamais faite deux fois
</translation>
    </message>
</context>
<context>
    <name>CliMessages</name>
    <message>
        <source>--%1 needs a value</source>
        <translation>--%1 attend une valeur</translation>
    </message>
    <message>
        <source>unknown option %1</source>
        <translation>option inconnue %1</translation>
    </message>
    <message>
        <source>the topics are busy: another program holds the lock %1 and does not answer on %2</source>
        <translation>les sujets sont occupés&#xa0;: un autre programme détient le verrou %1 et ne répond pas sur %2</translation>
    </message>
    <message>
        <source>no channel for the program&apos;s answer could be made in %1</source>
        <translation>aucun canal pour la réponse du programme n’a pu être créé dans %1</translation>
    </message>
    <message>
        <source>the change is too long to send to the program (at most 2047 bytes once encoded)</source>
        <translation>la modification est trop longue pour être envoyée au programme (2047 octets au plus une fois encodée)</translation>
    </message>
    <message>
        <source>the running Nimbus Desk could not be reached on %1</source>
        <translation>le Nimbus Desk en cours d’exécution n’a pas pu être joint sur %1</translation>
    </message>
    <message>
        <source>the running Nimbus Desk did not answer; it may be a version that does not take changes from nimbus-cli, and the change may not have been made (it may still be made: run the same command with --request-id %1 to make it at most once)</source>
        <translation>le Nimbus Desk en cours d’exécution n’a pas répondu&#xa0;; il s’agit peut-être d’une version qui n’accepte pas les modifications de nimbus-cli, et la modification n’a peut-être pas été faite (elle peut encore l’être&#xa0;: relancez la même commande avec --request-id %1 pour qu’elle soit faite une fois au plus)</translation>
    </message>
    <message>
        <source>add takes one title (quote a title of several words)</source>
        <translation>add prend un seul titre (mettez entre guillemets un titre de plusieurs mots)</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a date; dates are %2</source>
        <translation>«&#xa0;%1&#xa0;» n’est pas une date&#xa0;; les dates sont %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a time of day; times are HH:MM or HH:MM:SS</source>
        <translation>«&#xa0;%1&#xa0;» n’est pas une heure&#xa0;; les heures sont HH:MM ou HH:MM:SS</translation>
    </message>
    <message>
        <source>a request id is 1 to 64 letters, digits, &quot;.&quot;, &quot;_&quot; or &quot;-&quot;</source>
        <translation>un identifiant de requête compte 1 à 64 lettres, chiffres, «&#xa0;.&#xa0;», «&#xa0;_&#xa0;» ou «&#xa0;-&#xa0;»</translation>
    </message>
    <message>
        <source>done takes one topic id</source>
        <translation>done prend un seul identifiant de sujet</translation>
    </message>
    <message>
        <source>export needs the form: --ics</source>
        <translation>export attend le format&#xa0;: --ics</translation>
    </message>
    <message>
        <source>export takes no words, only --ics, --under and --output</source>
        <translation>export ne prend aucun mot, seulement --ics, --under et --output</translation>
    </message>
    <message>
        <source>--output needs a file name</source>
        <translation>--output attend un nom de fichier</translation>
    </message>
    <message>
        <source>no topic has the id %1</source>
        <translation>aucun sujet n’a l’identifiant %1</translation>
    </message>
    <message>
        <source>the calendar file %1 could not be written: %2</source>
        <translation>le fichier de calendrier %1 n’a pas pu être écrit&#xa0;: %2</translation>
    </message>
    <message>
        <source>there is no topic to export</source>
        <translation>il n’y a aucun sujet à exporter</translation>
    </message>
    <message>
        <source>--saved takes no list name and no option but --format</source>
        <translation>--saved ne prend aucun nom de liste ni aucune option sauf --format</translation>
    </message>
    <message>
        <source>--format takes text, json or tsv</source>
        <translation>--format prend text, json ou tsv</translation>
    </message>
    <message>
        <source>list takes one list name</source>
        <translation>list prend un seul nom de liste</translation>
    </message>
    <message>
        <source>unknown list &quot;%1&quot;; see nimbus-cli list --help</source>
        <translation>liste inconnue «&#xa0;%1&#xa0;»&#xa0;; voir nimbus-cli list --help</translation>
    </message>
    <message>
        <source>--sort takes due, priority or title</source>
        <translation>--sort prend due, priority ou title</translation>
    </message>
    <message>
        <source>remove takes one topic id</source>
        <translation>remove prend un seul identifiant de sujet</translation>
    </message>
    <message>
        <source>--saved without a name lists the saved searches: it takes no words to find and no --limit</source>
        <translation>--saved sans nom liste les recherches enregistrées&#xa0;: il ne prend aucun mot à chercher ni --limit</translation>
    </message>
    <message>
        <source>--limit takes a number from 1 to 1000000</source>
        <translation>--limit prend un nombre de 1 à 1000000</translation>
    </message>
    <message>
        <source>the search index could not be built</source>
        <translation>l’index de recherche n’a pas pu être construit</translation>
    </message>
    <message>
        <source>the search index could not be built: %1</source>
        <translation>l’index de recherche n’a pas pu être construit&#xa0;: %1</translation>
    </message>
    <message>
        <source>search needs words to find or a filter</source>
        <translation>search attend des mots à chercher ou un filtre</translation>
    </message>
    <message>
        <source>set takes a topic id and at least one FIELD=VALUE</source>
        <translation>set prend un identifiant de sujet et au moins un CHAMP=VALEUR</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not FIELD=VALUE</source>
        <translation>«&#xa0;%1&#xa0;» n’est pas de la forme CHAMP=VALEUR</translation>
    </message>
    <message>
        <source>show takes one topic id</source>
        <translation>show prend un seul identifiant de sujet</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a topic id; ids are numbers such as 1042 (nimbus-cli list shows them)</source>
        <translation>«&#xa0;%1&#xa0;» n’est pas un identifiant de sujet&#xa0;; les identifiants sont des nombres comme 1042 (nimbus-cli list les affiche)</translation>
    </message>
    <message>
        <source>--format takes text or json</source>
        <translation>--format prend text ou json</translation>
    </message>
    <message>
        <source>summary takes no words, only --format</source>
        <translation>summary ne prend aucun mot, seulement --format</translation>
    </message>
    <message>
        <source>%1, YYYY-MM-DD, YYYYMMDD, today, tomorrow, a weekday name, +Nd or +Nw</source>
        <translation>%1, YYYY-MM-DD, YYYYMMDD, today, tomorrow, un nom de jour en anglais, +Nd ou +Nw</translation>
    </message>
    <message>
        <source>the lock file %1 cannot be used (%2), so whether Nimbus Desk runs on this data folder cannot be told; nothing was changed</source>
        <translation>le fichier de verrou %1 ne peut pas être utilisé (%2)&#xa0;: impossible de savoir si Nimbus Desk travaille sur ce dossier de données&#xa0;; rien n’a été modifié</translation>
    </message>
    <message>
        <source>Nimbus Desk runs on %1 but does not answer on this nimbus-cli&apos;s channel folder (is XDG_RUNTIME_DIR or NIMBUS_CHANNEL_DIR different from the program&apos;s?); nothing was changed</source>
        <translation>Nimbus Desk travaille sur %1 mais ne répond pas dans le dossier de canaux de ce nimbus-cli (XDG_RUNTIME_DIR ou NIMBUS_CHANNEL_DIR diffère-t-il de celui du programme&#xa0;?)&#xa0;; rien n’a été modifié</translation>
    </message>
    <message>
        <source>the repeat rules in %1 cannot be read, so no repeat is changed; nothing was changed</source>
        <translation>les règles de répétition de %1 ne peuvent pas être lues, aucune répétition n’est donc modifiée&#xa0;; rien n’a été modifié</translation>
    </message>
    <message>
        <source>no id could be taken from %1</source>
        <translation>aucun identifiant n’a pu être pris dans %1</translation>
    </message>
    <message>
        <source>the id %1 is already in use</source>
        <translation>l’identifiant %1 est déjà utilisé</translation>
    </message>
    <message>
        <source>the topic store could not be written: %1</source>
        <translation>le magasin de sujets n’a pas pu être écrit&#xa0;: %1</translation>
    </message>
    <message>
        <source>the topic was changed, but its repeat rule could not be written to %1; it repeats by the nearest plain rule</source>
        <translation>le sujet a été modifié, mais sa règle de répétition n’a pas pu être écrite dans %1&#xa0;; il se répète selon la règle simple la plus proche</translation>
    </message>
    <message>
        <source>the topic was added, but the list of new topics could not be written: %1</source>
        <translation>le sujet a été ajouté, mais la liste des nouveaux sujets n’a pas pu être écrite&#xa0;: %1</translation>
    </message>
    <message>
        <source>no temporary folder for the search index could be made: %1</source>
        <translation>aucun dossier temporaire pour l’index de recherche n’a pu être créé&#xa0;: %1</translation>
    </message>
    <message>
        <source>no section is called %1</source>
        <translation>aucune section ne s’appelle %1</translation>
    </message>
    <message>
        <source>unknown list &quot;%1&quot;</source>
        <translation>liste inconnue «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>there is no data folder %1: start Nimbus Desk once to make it</source>
        <translation>il n’y a pas de dossier de données %1&#xa0;: lancez Nimbus Desk une fois pour le créer</translation>
    </message>
    <message>
        <source>there is no topic store %1: start Nimbus Desk once to make it</source>
        <translation>il n’y a pas de magasin de sujets %1&#xa0;: lancez Nimbus Desk une fois pour le créer</translation>
    </message>
    <message>
        <source>the topic store %1 cannot be read: %2</source>
        <translation>le magasin de sujets %1 ne peut pas être lu&#xa0;: %2</translation>
    </message>
    <message>
        <source>the topic store %1 is damaged: %2; start Nimbus Desk to repair it</source>
        <translation>le magasin de sujets %1 est endommagé&#xa0;: %2&#xa0;; lancez Nimbus Desk pour le réparer</translation>
    </message>
    <message>
        <source>a title is one line of text, not empty</source>
        <translation>un titre est une ligne de texte non vide</translation>
    </message>
    <message>
        <source>type takes %1</source>
        <translation>type prend %1</translation>
    </message>
    <message>
        <source>recur takes a count and a unit (%1), or none</source>
        <translation>recur prend un nombre et une unité (%1), ou none</translation>
    </message>
    <message>
        <source>priority takes a number from 1 (highest) to 9, or 0 for none</source>
        <translation>priority prend un nombre de 1 (la plus haute) à 9, ou 0 pour aucune</translation>
    </message>
    <message>
        <source>%1 takes yes or no</source>
        <translation>%1 prend yes ou no</translation>
    </message>
    <message>
        <source>status takes %1</source>
        <translation>status prend %1</translation>
    </message>
    <message>
        <source>percent takes 0 to 100 in steps of 10</source>
        <translation>percent prend 0 à 100 par pas de 10</translation>
    </message>
    <message>
        <source>unknown field &quot;%1&quot;; fields are %2</source>
        <translation>champ inconnu «&#xa0;%1&#xa0;»&#xa0;; les champs sont %2</translation>
    </message>
    <message>
        <source>%1 is a section, not a topic</source>
        <translation>%1 est une section, pas un sujet</translation>
    </message>
    <message>
        <source>%1 is a system topic and cannot be changed</source>
        <translation>%1 est un sujet système et ne peut pas être modifié</translation>
    </message>
    <message>
        <source>the store has no &quot;Topics&quot; section</source>
        <translation>le magasin n’a pas de section «&#xa0;Topics&#xa0;»</translation>
    </message>
    <message>
        <source>no topic can be inserted directly in the section %1</source>
        <translation>aucun sujet ne peut être inséré directement dans la section %1</translation>
    </message>
    <message>
        <source>a time needs a due date</source>
        <translation>une heure nécessite une date d’échéance</translation>
    </message>
    <message>
        <source>a recurring topic needs a due date</source>
        <translation>un sujet récurrent nécessite une date d’échéance</translation>
    </message>
    <message>
        <source>only tasks have a percentage complete</source>
        <translation>seules les tâches ont un pourcentage d’avancement</translation>
    </message>
    <message>
        <source>only tasks and events have a due date</source>
        <translation>seules les tâches et les événements ont une date d’échéance</translation>
    </message>
    <message>
        <source>a system topic cannot be changed</source>
        <translation>un sujet système ne peut pas être modifié</translation>
    </message>
    <message>
        <source>only tasks take a status; events follow their dates</source>
        <translation>seules les tâches ont un état&#xa0;; les événements suivent leurs dates</translation>
    </message>
    <message>
        <source>the status of this task cannot be changed that way</source>
        <translation>l’état de cette tâche ne peut pas être modifié ainsi</translation>
    </message>
    <message>
        <source>only tasks have a priority</source>
        <translation>seules les tâches ont une priorité</translation>
    </message>
    <message>
        <source>a completed task has no priority</source>
        <translation>une tâche terminée n’a pas de priorité</translation>
    </message>
    <message>
        <source>this task cannot be marked done (a group task follows its sub-tasks)</source>
        <translation>cette tâche ne peut pas être marquée terminée (une tâche de groupe suit ses sous-tâches)</translation>
    </message>
    <message>
        <source>only tasks and events can be done</source>
        <translation>seuls les tâches et les événements peuvent être terminés</translation>
    </message>
    <message>
        <source>%1 is a section and cannot be removed</source>
        <translation>%1 est une section et ne peut pas être supprimée</translation>
    </message>
    <message>
        <source>%1 is a system topic and cannot be removed</source>
        <translation>%1 est un sujet système et ne peut pas être supprimé</translation>
    </message>
    <message>
        <source>recur=&quot;%1&quot;: %2</source>
        <translation>recur=«&#xa0;%1&#xa0;»&#xa0;: %2</translation>
    </message>
    <message>
        <source>the repeat rule &quot;%1&quot; cannot be used: %2</source>
        <translation>la règle de répétition «&#xa0;%1&#xa0;» ne peut pas être utilisée&#xa0;: %2</translation>
    </message>
    <message>
        <source>the repeat &quot;%1&quot; has no date from the due date on</source>
        <translation>la répétition «&#xa0;%1&#xa0;» n’a aucune date à partir de la date d’échéance</translation>
    </message>
    <message>
        <source>the calendar state %1 could not be written: %2</source>
        <translation>l’état du calendrier %1 n’a pas pu être écrit&#xa0;: %2</translation>
    </message>
</context>
<context>
    <name>CommandTable</name>
    <message>
        <source>Usage: nimbus-cli COMMAND [ARGUMENTS]

The topics of Nimbus Desk from a terminal. Commands:
</source>
        <translation>Utilisation&#xa0;: nimbus-cli COMMANDE [ARGUMENTS]

Les sujets de Nimbus Desk depuis un terminal. Commandes&#xa0;:
</translation>
    </message>
    <message>
        <source>
nimbus-cli COMMAND --help tells more. Exit status: 0 success, 1 nothing found,
2 usage error, 3 data folder or store problem.
</source>
        <translation>
nimbus-cli COMMANDE --help en dit plus. Code de retour&#xa0;: 0 succès, 1 rien trouvé,
2 erreur d’utilisation, 3 problème de dossier de données ou de magasin.
</translation>
    </message>
    <message>
        <source>unknown command &quot;%1&quot;</source>
        <translation>commande inconnue «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>(nimbus-cli %1 --help shows how it is used)</source>
        <translation>(nimbus-cli %1 --help montre comment l’utiliser)</translation>
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
        <translation>Utilisation&#xa0;: nimbus-cli done ID [--request-id ID]

Marque la tâche ID comme terminée, comme le fait le bouton «&#xa0;Terminé&#xa0;» de la barre d’outils
(une tâche récurrente passe à sa date suivante), ou termine l’événement ID. Code de retour 1
quand aucun sujet n’a cet identifiant, 2 quand ce n’est ni une tâche ni un événement.

</translation>
    </message>
    <message>
        <source>Done %1</source>
        <translation>Terminé&#xa0;: %1</translation>
    </message>
    <message>
        <source>mark a task or event done</source>
        <translation>marquer une tâche ou un événement comme terminé</translation>
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
        <translation>Utilisation&#xa0;: nimbus-cli export --ics [--under ID] [--output FICHIER]

Écrit les sujets dans un fichier iCalendar, comme l’export de calendrier de la fenêtre&#xa0;:
une tâche devient un VTODO, un événement un VEVENT, tout autre sujet un VJOURNAL, avec
les répétitions, les alarmes, les liens de parenté de l’arbre, les pages de détails en
texte et les listes de contrôle en sous-tâches. Les UID sont ceux de cette installation&#xa0;:
importer à nouveau le fichier met donc à jour les mêmes sujets.

  --ics           le format iCalendar (le seul qui existe&#xa0;; il doit être nommé)
  --under ID      le sujet ID avec tout ce qu’il contient (l’identifiant d’une section&#xa0;:
                  les sujets de la section)&#xa0;; sans cette option, tous les sujets
  --output FICHIER  écrire FICHIER (remplacé en entier, jamais à moitié écrit) au lieu
                  de la sortie standard

Code de retour 1 quand il n’y a aucun sujet à exporter.
</translation>
    </message>
    <message>
        <source>write the topics as an iCalendar (.ics) file</source>
        <translation>écrire les sujets dans un fichier iCalendar (.ics)</translation>
    </message>
</context>
<context>
    <name>GridCells</name>
    <message>
        <source>no due date</source>
        <translation>pas de date d’échéance</translation>
    </message>
    <message>
        <source>urgent</source>
        <translation>urgent</translation>
    </message>
    <message>
        <source>urgent sub-topics</source>
        <translation>sous-sujets urgents</translation>
    </message>
    <message>
        <source>favourite</source>
        <translation>favori</translation>
    </message>
    <message>
        <source>not started</source>
        <translation>non commencé</translation>
    </message>
    <message>
        <source>in progress</source>
        <translation>en cours</translation>
    </message>
    <message>
        <source>finished</source>
        <translation>terminé</translation>
    </message>
    <message>
        <source>on hold</source>
        <translation>en suspens</translation>
    </message>
    <message>
        <source>waiting</source>
        <translation>en attente</translation>
    </message>
    <message>
        <source>in progress %1 %</source>
        <translation>en cours, %1&#xa0;%</translation>
    </message>
    <message>
        <source>future event</source>
        <translation>événement à venir</translation>
    </message>
    <message>
        <source>recurring</source>
        <translation>récurrent</translation>
    </message>
    <message>
        <source>priority %1</source>
        <translation>priorité %1</translation>
    </message>
    <message>
        <source>several pages</source>
        <translation>plusieurs pages</translation>
    </message>
    <message>
        <source>details page</source>
        <translation>page de détails</translation>
    </message>
    <message>
        <source>one page</source>
        <translation>une page</translation>
    </message>
    <message>
        <source>no status</source>
        <translation>aucun état</translation>
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
        <translation>Utilisation&#xa0;: nimbus-cli list [LISTE] [--section NOM] [--under ID] [--type TYPE]
                      [--sort due|priority|title] [--format text|json|tsv]
              nimbus-cli list --saved NOM [--format text|json|tsv]

LISTE est l’une de&#xa0;: deadlines, overdue, urgent, today, week, in-progress, waiting,
events, new, changes, favourites, all (par défaut). Les groupes de la synthèse viennent
dans son ordre&#xa0;; today et week sont les tâches et événements dus aujourd’hui ou dans les
sept prochains jours, les plus proches d’abord&#xa0;; all est chaque sujet dans l’ordre de l’arbre.

  --section NOM   seulement les sujets de la section de ce titre ou de cet identifiant
  --under ID      seulement les sujets sous le sujet ID
  --type TYPE     task, event, note, idea, finance ou general
  --sort ORDRE    due, priority ou title, comme les tris de l’arbre
  --format FORME  text (aligné), json (un tableau) ou tsv&#xa0;: identifiant, chemin, état,
                  texte d’échéance et date d’échéance
  --saved NOM     chaque sujet que trouve la recherche enregistrée sous NOM dans la fenêtre,
                  les meilleurs d’abord (sans autre liste ni option sauf --format)

Code de retour 1 quand la liste est vide.
</translation>
    </message>
    <message>
        <source>list the topics of a group, one line each</source>
        <translation>lister les sujets d’un groupe, un par ligne</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Calendar files (*.ics)</source>
        <translation>Fichiers de calendrier (*.ics)</translation>
    </message>
    <message>
        <source>Export to calendar file</source>
        <translation>Exporter vers un fichier de calendrier</translation>
    </message>
    <message>
        <source>Import calendar file</source>
        <translation>Importer un fichier de calendrier</translation>
    </message>
    <message>
        <source>Font</source>
        <translation>Police</translation>
    </message>
    <message>
        <source>Save as a Word document</source>
        <translation>Enregistrer comme document Word</translation>
    </message>
    <message>
        <source>MS Word file (*.rtf)</source>
        <translation>Fichier MS Word (*.rtf)</translation>
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
        <translation>Utilisation&#xa0;: nimbus-cli remove ID [--request-id ID]

Supprime définitivement le sujet ID, avec chaque sujet placé dessous, comme le fait
«&#xa0;Remove this topic permanently&#xa0;» dans l’arbre. Les sections et les sujets système restent.
Les anciennes versions du magasin gardent ce qui a été supprimé. Code de retour 1 quand
aucun sujet n’a cet identifiant.

</translation>
    </message>
    <message>
        <source>Removed %1</source>
        <translation>Supprimé&#xa0;: %1</translation>
    </message>
    <message>
        <source>remove a topic with everything below it</source>
        <translation>supprimer un sujet avec tout ce qu’il contient</translation>
    </message>
</context>
<context>
    <name>RuleWords</name>
    <message>
        <source>Monday</source>
        <translation>lundi</translation>
    </message>
    <message>
        <source>Tuesday</source>
        <translation>mardi</translation>
    </message>
    <message>
        <source>Wednesday</source>
        <translation>mercredi</translation>
    </message>
    <message>
        <source>Thursday</source>
        <translation>jeudi</translation>
    </message>
    <message>
        <source>Friday</source>
        <translation>vendredi</translation>
    </message>
    <message>
        <source>Saturday</source>
        <translation>samedi</translation>
    </message>
    <message>
        <source>Sunday</source>
        <translation>dimanche</translation>
    </message>
    <message>
        <source>January</source>
        <translation>janvier</translation>
    </message>
    <message>
        <source>February</source>
        <translation>février</translation>
    </message>
    <message>
        <source>March</source>
        <translation>mars</translation>
    </message>
    <message>
        <source>April</source>
        <translation>avril</translation>
    </message>
    <message>
        <source>May</source>
        <translation>mai</translation>
    </message>
    <message>
        <source>June</source>
        <translation>juin</translation>
    </message>
    <message>
        <source>July</source>
        <translation>juillet</translation>
    </message>
    <message>
        <source>August</source>
        <translation>août</translation>
    </message>
    <message>
        <source>September</source>
        <translation>septembre</translation>
    </message>
    <message>
        <source>October</source>
        <translation>octobre</translation>
    </message>
    <message>
        <source>November</source>
        <translation>novembre</translation>
    </message>
    <message>
        <source>December</source>
        <translation>décembre</translation>
    </message>
    <message>
        <source> and </source>
        <translation> et </translation>
    </message>
    <message>
        <source>, </source>
        <translation>, </translation>
    </message>
    <message>
        <source>first</source>
        <translation>premier</translation>
    </message>
    <message>
        <source>second</source>
        <translation>deuxième</translation>
    </message>
    <message>
        <source>third</source>
        <translation>troisième</translation>
    </message>
    <message>
        <source>fourth</source>
        <translation>quatrième</translation>
    </message>
    <message>
        <source>fifth</source>
        <translation>cinquième</translation>
    </message>
    <message>
        <source>last</source>
        <translation>dernier</translation>
    </message>
    <message>
        <source>%1 to last</source>
        <translation>%1 avant la fin</translation>
    </message>
    <message>
        <source>%1th</source>
        <translation>%1e</translation>
    </message>
    <message>
        <source>%1st</source>
        <translation>%1e</translation>
    </message>
    <message>
        <source>%1nd</source>
        <translation>%1e</translation>
    </message>
    <message>
        <source>%1rd</source>
        <translation>%1e</translation>
    </message>
    <message>
        <source>Every day</source>
        <translation>Tous les jours</translation>
    </message>
    <message>
        <source>Every week</source>
        <translation>Toutes les semaines</translation>
    </message>
    <message>
        <source>Every month</source>
        <translation>Tous les mois</translation>
    </message>
    <message>
        <source>Every year</source>
        <translation>Tous les ans</translation>
    </message>
    <message>
        <source>Every %1 days</source>
        <translation>Tous les %1 jours</translation>
    </message>
    <message>
        <source>Every %1 weeks</source>
        <translation>Toutes les %1 semaines</translation>
    </message>
    <message>
        <source>Every %1 months</source>
        <translation>Tous les %1 mois</translation>
    </message>
    <message>
        <source>Every %1 years</source>
        <translation>Tous les %1 ans</translation>
    </message>
    <message>
        <source>day</source>
        <translation>jour</translation>
    </message>
    <message>
        <source>week</source>
        <translation>semaine</translation>
    </message>
    <message>
        <source>month</source>
        <translation>mois</translation>
    </message>
    <message>
        <source>year</source>
        <translation>année</translation>
    </message>
    <message>
        <source>the %1 %2</source>
        <translation>%1 %2</translation>
    </message>
    <message>
        <source>day %1</source>
        <translation>jour %1</translation>
    </message>
    <message>
        <source>the %1 day</source>
        <translation>%1 jour</translation>
    </message>
    <message>
        <source> on %1</source>
        <translation> le %1</translation>
    </message>
    <message>
        <source>, when that is %1</source>
        <translation>, quand c’est le %1</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <translation>%1 %2</translation>
    </message>
    <message>
        <source>Every weekday</source>
        <translation>Tous les jours ouvrables</translation>
    </message>
    <message>
        <source> in %1</source>
        <translation> en %1</translation>
    </message>
    <message>
        <source>, taking the %1 of those days in each %2</source>
        <translation>, en retenant le %1 de ces jours chaque %2</translation>
    </message>
    <message>
        <source>, once</source>
        <translation>, une fois</translation>
    </message>
    <message>
        <source>, %1 times</source>
        <translation>, %1 fois</translation>
    </message>
    <message>
        <source>, until %1</source>
        <translation>, jusqu’au %1</translation>
    </message>
    <message>
        <source>; 1 date skipped</source>
        <translation>&#xa0;; 1 date sautée</translation>
    </message>
    <message>
        <source>; %1 dates skipped</source>
        <translation>&#xa0;; %1 dates sautées</translation>
    </message>
    <message>
        <source>%1 more dates</source>
        <translation>%1 autres dates</translation>
    </message>
    <message>
        <source>; also on %1</source>
        <translation>&#xa0;; aussi le %1</translation>
    </message>
</context>
<context>
    <name>ScheduleText</name>
    <message numerus="yes">
        <source>%n day(s)</source>
        <translation>
            <numerusform>%n jour</numerusform>
            <numerusform>%n jours</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n week(s)</source>
        <translation>
            <numerusform>%n semaine</numerusform>
            <numerusform>%n semaines</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n month(s)</source>
        <translation>
            <numerusform>%n mois</numerusform>
            <numerusform>%n mois</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n hour(s)</source>
        <translation>
            <numerusform>%n heure</numerusform>
            <numerusform>%n heures</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n min(s)</source>
        <translation>
            <numerusform>%n min</numerusform>
            <numerusform>%n min</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n sec(s)</source>
        <translation>
            <numerusform>%n s</numerusform>
            <numerusform>%n s</numerusform>
        </translation>
    </message>
    <message>
        <source>Today</source>
        <translation>Aujourd’hui</translation>
    </message>
    <message>
        <source>In progress</source>
        <translation>En cours</translation>
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
        <translation>Utilisation&#xa0;: nimbus-cli search REQUÊTE... [--limit N] [--format text|json|tsv]
              nimbus-cli search --saved NOM [REQUÊTE...] [--limit N] [--format ...]
              nimbus-cli search --saved [--format text|json|tsv]

Trouve des sujets par les mots de leurs titres, pages de détails et listes de contrôle,
avec le langage du champ de recherche&#xa0;: des mots qui doivent tous figurer dans le sujet
(son titre, une page ou une liste de contrôle), des &quot;phrases exactes&quot; (dans l’un d’eux),
préfixe*, des -mots exclus (un sujet qui en contient un quelque part est écarté) et les
filtres type:task, status:waiting, urgent, due:&lt;7d, due:&gt;2w, due:today, due:overdue et
section:NOM (des filtres seuls listent chaque sujet qu’ils laissent passer). Les sujets dont
le titre correspond viennent d’abord. Un mot contenant des blancs est cherché comme phrase.

  --saved NOM     la recherche enregistrée sous NOM dans la fenêtre (ses mots d’abord)
  --saved         sans nom&#xa0;: liste les noms des recherches enregistrées (tsv et json
                  ajoutent la requête de chacune)&#xa0;; code de retour 1 s’il n’y en a aucune
  --limit N       au plus N résultats (200)
  --format FORME  text, json ou tsv&#xa0;: identifiant, chemin, état, texte d’échéance et endroit trouvé

L’index «&#xa0;Search.db&#xa0;» est d’abord mis à jour avec les sujets (quand Nimbus Desk
s’exécute, dans une copie privée&#xa0;: seul le programme en cours écrit son index).
Code de retour 1 quand rien ne correspond.
</translation>
    </message>
    <message>
        <source>find topics by the words of their titles, pages and checklists</source>
        <translation>trouver des sujets par les mots de leurs titres, pages et listes de contrôle</translation>
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
        <translation>Utilisation&#xa0;: nimbus-cli set ID CHAMP=VALEUR... [--request-id ID]

Modifie des champs du sujet ID, tous ou aucun&#xa0;:
  title=TEXTE
  type=task|event|note|idea|finance|general
  due=DATE ou due=&quot;DATE HEURE&quot; ou due=none   (dates comme pour add)
  time=HH:MM ou time=none
  recur=&quot;N UNITÉ&quot; ou recur=none               (UNITÉ&#xa0;: minute ... year)
  recur=RÈGLE   weekdays, mon,wed,fri, &quot;every 2 weeks on mon,thu&quot;, &quot;2nd tue&quot;,
                &quot;last fri&quot;, &quot;monthly on 15 x10&quot;, &quot;weekly until 2027-06-30&quot;
  priority=0-9                                (0&#xa0;: aucune)
  urgent=yes|no   fav=yes|no
  status=not-started|in-progress|waiting|on-hold|done   (tâches)
  percent=0-100 par pas de 10                 (tâches)


</translation>
    </message>
    <message>
        <source>
Exit status 1 when no topic has that id, 2 for a field or value it does not take.
</source>
        <translation>
Code de retour 1 quand aucun sujet n’a cet identifiant, 2 pour un champ ou une valeur refusés.
</translation>
    </message>
    <message>
        <source>Changed %1</source>
        <translation>Modifié&#xa0;: %1</translation>
    </message>
    <message>
        <source>change fields of a topic</source>
        <translation>modifier des champs d’un sujet</translation>
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
        <translation>Utilisation&#xa0;: nimbus-cli show ID

Affiche l’identifiant, le chemin, le type et l’état du sujet, sa date d’échéance et le
texte de son échéancier, sa répétition, sa priorité, son urgence et sa marque de favori,
puis chaque page de détails en texte brut et chaque liste de contrôle avec ses coches.
Code de retour 1 quand aucun sujet n’a cet identifiant, 2 quand le mot donné n’est pas
un identifiant de sujet.
</translation>
    </message>
    <message>
        <source>a topic&apos;s fields, schedule, details and checklist</source>
        <translation>les champs, l’échéancier, les détails et la liste de contrôle d’un sujet</translation>
    </message>
</context>
<context>
    <name>StepNames</name>
    <message>
        <source>Add %1 in %2</source>
        <translation>Ajouter %1 dans %2</translation>
    </message>
    <message numerus="yes">
        <source>Add %n item(s) in %1</source>
        <translation>
            <numerusform>Ajouter %n élément dans %1</numerusform>
            <numerusform>Ajouter %n éléments dans %1</numerusform>
        </translation>
    </message>
    <message>
        <source>Remove all items in %1</source>
        <translation>Supprimer tous les éléments dans %1</translation>
    </message>
    <message numerus="yes">
        <source>Remove %n item(s) in %1</source>
        <translation>
            <numerusform>Supprimer %n élément dans %1</numerusform>
            <numerusform>Supprimer %n éléments dans %1</numerusform>
        </translation>
    </message>
    <message>
        <source>Reorder the checklist in %1</source>
        <translation>Réordonner la liste de contrôle dans %1</translation>
    </message>
    <message>
        <source>Change %1 in %2</source>
        <translation>Modifier %1 dans %2</translation>
    </message>
    <message>
        <source>Tick %1 in %2</source>
        <translation>Cocher %1 dans %2</translation>
    </message>
    <message>
        <source>Untick %1 in %2</source>
        <translation>Décocher %1 dans %2</translation>
    </message>
    <message>
        <source>Remove all ticks in %1</source>
        <translation>Supprimer toutes les coches dans %1</translation>
    </message>
    <message>
        <source>Remove all dates in %1</source>
        <translation>Supprimer toutes les dates dans %1</translation>
    </message>
    <message>
        <source>Change the checklist in %1</source>
        <translation>Modifier la liste de contrôle dans %1</translation>
    </message>
    <message numerus="yes">
        <source>Remove %1 and %n sub-topic(s)</source>
        <translation>
            <numerusform>Supprimer %1 et %n sous-sujet</numerusform>
            <numerusform>Supprimer %1 et %n sous-sujets</numerusform>
        </translation>
    </message>
    <message>
        <source>Remove %1</source>
        <translation>Supprimer %1</translation>
    </message>
    <message>
        <source>Add %1</source>
        <translation>Ajouter %1</translation>
    </message>
    <message>
        <source>Move %1 up</source>
        <translation>Monter %1</translation>
    </message>
    <message>
        <source>Move %1 down</source>
        <translation>Descendre %1</translation>
    </message>
    <message>
        <source>Make %1 a sub-topic</source>
        <translation>Faire de %1 un sous-sujet</translation>
    </message>
    <message>
        <source>Make %1 a topic</source>
        <translation>Faire de %1 un sujet</translation>
    </message>
    <message>
        <source>Move %1</source>
        <translation>Déplacer %1</translation>
    </message>
    <message>
        <source>Sort the sub-topics of %1 by urgency and priority</source>
        <translation>Trier les sous-sujets de %1 par urgence et priorité</translation>
    </message>
    <message>
        <source>Sort the sub-topics of %1 by date due</source>
        <translation>Trier les sous-sujets de %1 par date d’échéance</translation>
    </message>
    <message>
        <source>Sort the sub-topics of %1 by title</source>
        <translation>Trier les sous-sujets de %1 par titre</translation>
    </message>
    <message>
        <source>Change the options of %1</source>
        <translation>Modifier les options de %1</translation>
    </message>
    <message>
        <source>Edit the details page of %1</source>
        <translation>Modifier la page de détails de %1</translation>
    </message>
    <message>
        <source>Change %1</source>
        <translation>Modifier %1</translation>
    </message>
    <message>
        <source>Skip an occurrence of %1</source>
        <translation>Sauter une occurrence de %1</translation>
    </message>
    <message>
        <source>Set status of %1 to not started</source>
        <translation>Passer l’état de %1 à «&#xa0;non commencé&#xa0;»</translation>
    </message>
    <message>
        <source>Set status of %1 to in progress</source>
        <translation>Passer l’état de %1 à «&#xa0;en cours&#xa0;»</translation>
    </message>
    <message>
        <source>Set status of %1 to completed</source>
        <translation>Passer l’état de %1 à «&#xa0;terminé&#xa0;»</translation>
    </message>
    <message>
        <source>Set status of %1 to on hold</source>
        <translation>Passer l’état de %1 à «&#xa0;en suspens&#xa0;»</translation>
    </message>
    <message>
        <source>Set status of %1 to waiting</source>
        <translation>Passer l’état de %1 à «&#xa0;en attente&#xa0;»</translation>
    </message>
    <message>
        <source>Set status of %1 to none</source>
        <translation>Passer l’état de %1 à «&#xa0;aucun&#xa0;»</translation>
    </message>
    <message>
        <source>Set type of %1 to general topic</source>
        <translation>Passer le type de %1 à «&#xa0;sujet général&#xa0;»</translation>
    </message>
    <message>
        <source>Set type of %1 to event</source>
        <translation>Passer le type de %1 à «&#xa0;événement&#xa0;»</translation>
    </message>
    <message>
        <source>Set type of %1 to task</source>
        <translation>Passer le type de %1 à «&#xa0;tâche&#xa0;»</translation>
    </message>
    <message>
        <source>Set type of %1 to information note</source>
        <translation>Passer le type de %1 à «&#xa0;note d’information&#xa0;»</translation>
    </message>
    <message>
        <source>Set type of %1 to idea</source>
        <translation>Passer le type de %1 à «&#xa0;idée&#xa0;»</translation>
    </message>
    <message>
        <source>Set type of %1 to financial note</source>
        <translation>Passer le type de %1 à «&#xa0;note financière&#xa0;»</translation>
    </message>
    <message>
        <source>Set type of %1 to topic</source>
        <translation>Passer le type de %1 à «&#xa0;sujet&#xa0;»</translation>
    </message>
    <message>
        <source>Rename %1 to %2</source>
        <translation>Renommer %1 en %2</translation>
    </message>
    <message>
        <source>Mark %1 as urgent</source>
        <translation>Marquer %1 comme urgent</translation>
    </message>
    <message>
        <source>Mark %1 as not urgent</source>
        <translation>Marquer %1 comme non urgent</translation>
    </message>
    <message>
        <source>Set priority of %1 to %2</source>
        <translation>Passer la priorité de %1 à %2</translation>
    </message>
    <message>
        <source>Clear the priority of %1</source>
        <translation>Effacer la priorité de %1</translation>
    </message>
    <message>
        <source>Add %1 to favourites</source>
        <translation>Ajouter %1 aux favoris</translation>
    </message>
    <message>
        <source>Remove %1 from favourites</source>
        <translation>Retirer %1 des favoris</translation>
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
        <translation>Utilisation&#xa0;: nimbus-cli summary [--format text|json]

Affiche les neuf compteurs de la page de synthèse&#xa0;: Deadlines, Urgent, Overdue, In progress,
Waiting, Events, New, Changes et Favourites, calculés comme le programme les calcule.

  --format text   une ligne «&#xa0;Nom: nombre&#xa0;» par groupe (par défaut)
  --format json   un objet pour les barres d’état&#xa0;: &quot;text&quot;, &quot;tooltip&quot;, &quot;class&quot;
                  (&quot;overdue&quot;, &quot;urgent&quot;, &quot;due&quot; ou &quot;clear&quot;) et chaque compteur
</translation>
    </message>
    <message>
        <source>the nine counts of the summary page</source>
        <translation>les neuf compteurs de la page de synthèse</translation>
    </message>
</context>
<context>
    <name>TopicCodes</name>
    <message>
        <source>Topics</source>
        <translation>Sujets</translation>
    </message>
    <message>
        <source>Local network information</source>
        <translation>Informations sur le réseau local</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>Préférences</translation>
    </message>
    <message>
        <source>Product information</source>
        <translation>Informations sur le produit</translation>
    </message>
    <message>
        <source>Contacts</source>
        <translation>Contacts</translation>
    </message>
    <message>
        <source>Minute</source>
        <translation>minute</translation>
    </message>
    <message>
        <source>Hour</source>
        <translation>heure</translation>
    </message>
    <message>
        <source>Day</source>
        <translation>jour</translation>
    </message>
    <message>
        <source>Week</source>
        <translation>semaine</translation>
    </message>
    <message>
        <source>Month</source>
        <translation>mois</translation>
    </message>
    <message>
        <source>Year</source>
        <translation>an</translation>
    </message>
    <message>
        <source>Minutes</source>
        <translation>minutes</translation>
    </message>
    <message>
        <source>Hours</source>
        <translation>heures</translation>
    </message>
    <message>
        <source>Days</source>
        <translation>jours</translation>
    </message>
    <message>
        <source>Weeks</source>
        <translation>semaines</translation>
    </message>
    <message>
        <source>Months</source>
        <translation>mois</translation>
    </message>
    <message>
        <source>Years</source>
        <translation>ans</translation>
    </message>
    <message>
        <source>General topic group</source>
        <translation>Groupe de sujets général</translation>
    </message>
    <message>
        <source>General topic</source>
        <translation>Sujet général</translation>
    </message>
    <message>
        <source>Information topic</source>
        <translation>Sujet d’information</translation>
    </message>
    <message>
        <source>Idea topic</source>
        <translation>Sujet d’idée</translation>
    </message>
    <message>
        <source>Financial topic</source>
        <translation>Sujet financier</translation>
    </message>
    <message>
        <source>Events group</source>
        <translation>Groupe d’événements</translation>
    </message>
    <message>
        <source>Event in progress</source>
        <translation>Événement en cours</translation>
    </message>
    <message>
        <source>Event finished</source>
        <translation>Événement terminé</translation>
    </message>
    <message>
        <source>Future event</source>
        <translation>Événement à venir</translation>
    </message>
    <message>
        <source>Task group</source>
        <translation>Groupe de tâches</translation>
    </message>
    <message>
        <source>Task in progress</source>
        <translation>Tâche en cours</translation>
    </message>
    <message>
        <source>Task completed</source>
        <translation>Tâche terminée</translation>
    </message>
    <message>
        <source>Task on hold</source>
        <translation>Tâche suspendue</translation>
    </message>
    <message>
        <source>Task waiting</source>
        <translation>Tâche en attente</translation>
    </message>
    <message>
        <source>Task not started</source>
        <translation>Tâche non commencée</translation>
    </message>
</context>
<context>
    <name>TopicOptions</name>
    <message>
        <source>System section</source>
        <translation>Section système</translation>
    </message>
    <message>
        <source>System topic</source>
        <translation>Sujet système</translation>
    </message>
    <message>
        <source>Urgent</source>
        <translation>Urgent</translation>
    </message>
    <message>
        <source>Contains urgent sub-topics</source>
        <translation>Contient des sous-sujets urgents</translation>
    </message>
    <message>
        <source>Created: </source>
        <translation>Créé&#xa0;: </translation>
    </message>
    <message>
        <source>Started:  </source>
        <translation>Commencé&#xa0;:  </translation>
    </message>
    <message>
        <source>Sent from: </source>
        <translation>Envoyé par&#xa0;: </translation>
    </message>
    <message>
        <source>Choose type of event</source>
        <translation>Choisissez le type d’événement</translation>
    </message>
    <message>
        <source>Choose type of task</source>
        <translation>Choisissez le type de tâche</translation>
    </message>
    <message>
        <source>Event recurs every:</source>
        <translation>L’événement se répète tous les&#xa0;:</translation>
    </message>
    <message>
        <source>Task recurs every:</source>
        <translation>La tâche se répète tous les&#xa0;:</translation>
    </message>
</context>
<context>
    <name>nimbus::CalendarActions</name>
    <message>
        <source>Export to calendar file...</source>
        <translation>Exporter vers un fichier de calendrier…</translation>
    </message>
    <message>
        <source>Export section to calendar file...</source>
        <translation>Exporter la section vers un fichier de calendrier…</translation>
    </message>
    <message>
        <source>Export all to calendar file...</source>
        <translation>Tout exporter vers un fichier de calendrier…</translation>
    </message>
    <message>
        <source>Import calendar file...</source>
        <translation>Importer un fichier de calendrier…</translation>
    </message>
</context>
<context>
    <name>nimbus::CalendarFiles</name>
    <message>
        <source>The calendar file could not be written</source>
        <translation>Le fichier de calendrier n’a pas pu être écrit</translation>
    </message>
    <message>
        <source>The calendar file could not be imported</source>
        <translation>Le fichier de calendrier n’a pas pu être importé</translation>
    </message>
</context>
<context>
    <name>nimbus::CalendarPreviewDialog</name>
    <message>
        <source>Import calendar file</source>
        <translation>Importer un fichier de calendrier</translation>
    </message>
    <message>
        <source>&amp;What the import will do:</source>
        <translation>&amp;Ce que fera l’importation&#xa0;:</translation>
    </message>
    <message>
        <source>What the import will do</source>
        <translation>Ce que fera l’importation</translation>
    </message>
    <message>
        <source>Add: </source>
        <translation>Ajouter&#xa0;: </translation>
    </message>
    <message>
        <source>Update: </source>
        <translation>Mettre à jour&#xa0;: </translation>
    </message>
    <message>
        <source>Skip: </source>
        <translation>Ignorer&#xa0;: </translation>
    </message>
</context>
<context>
    <name>nimbus::LanSharing</name>
    <message>
        <source>Sending topics</source>
        <translation>Envoi des sujets</translation>
    </message>
    <message>
        <source>Receiving topics</source>
        <translation>Réception des sujets</translation>
    </message>
    <message>
        <source>Installing add-on topics</source>
        <translation>Installation des sujets complémentaires</translation>
    </message>
</context>
<context>
    <name>nimbus::MainLayout</name>
    <message>
        <source>Topics</source>
        <translation>Sujets</translation>
    </message>
</context>
<context>
    <name>nimbus::NetworkPage</name>
    <message>
        <source>Local Nimbus network information</source>
        <translation>Informations sur le réseau Nimbus local</translation>
    </message>
    <message>
        <source>Local Nimbus network folder</source>
        <translation>Dossier du réseau Nimbus local</translation>
    </message>
    <message>
        <source>Select or create local network Nimbus folder</source>
        <translation>Choisir ou créer le dossier Nimbus du réseau local</translation>
    </message>
    <message>
        <source>Nimbus network password</source>
        <translation>Mot de passe du réseau Nimbus</translation>
    </message>
    <message>
        <source>Type in password again</source>
        <translation>Saisissez à nouveau le mot de passe</translation>
    </message>
    <message>
        <source>Nimbus network user name</source>
        <translation>Nom d’utilisateur du réseau Nimbus</translation>
    </message>
    <message>
        <source>Connection status</source>
        <translation>État de la connexion</translation>
    </message>
    <message>
        <source>Local Nimbus network friends:</source>
        <translation>Collègues du réseau Nimbus local&#xa0;:</translation>
    </message>
    <message>
        <source>Back up my data</source>
        <translation>Sauvegarder mes données</translation>
    </message>
    <message>
        <source>My data protection password</source>
        <translation>Mot de passe de protection de mes données</translation>
    </message>
    <message>
        <source>Backup status</source>
        <translation>État de la sauvegarde</translation>
    </message>
    <message>
        <source>No backup yet</source>
        <translation>Aucune sauvegarde pour l’instant</translation>
    </message>
</context>
<context>
    <name>nimbus::SoftwarePanel</name>
    <message>
        <source>Updates:</source>
        <translation>Mises à jour&#xa0;:</translation>
    </message>
    <message>
        <source>Display update log</source>
        <translation>Afficher le journal des mises à jour</translation>
    </message>
    <message>
        <source>Check for updates</source>
        <translation>Rechercher des mises à jour</translation>
    </message>
</context>
<context>
    <name>nimbus::TSelectFolder</name>
    <message>
        <source>Choose a folder or create a new folder</source>
        <translation>Choisissez un dossier ou créez-en un nouveau</translation>
    </message>
    <message>
        <source>Drives:</source>
        <translation>Lecteurs&#xa0;:</translation>
    </message>
    <message>
        <source>Folder list:</source>
        <translation>Liste des dossiers&#xa0;:</translation>
    </message>
    <message>
        <source>Files in this folder:</source>
        <translation>Fichiers de ce dossier&#xa0;:</translation>
    </message>
    <message>
        <source>Folder name:</source>
        <translation>Nom du dossier&#xa0;:</translation>
    </message>
    <message>
        <source>New sub-folder name:</source>
        <translation>Nom du nouveau sous-dossier&#xa0;:</translation>
    </message>
    <message>
        <source>Create subfolder</source>
        <translation>Créer un sous-dossier</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>&amp;Create new sub-folder</source>
        <translation>&amp;Créer un nouveau sous-dossier</translation>
    </message>
</context>
<context>
    <name>nimbus::TformMain</name>
    <message>
        <source>Help and information</source>
        <translation>Aide et informations</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>Close the program</source>
        <translation>Fermer le programme</translation>
    </message>
    <message>
        <source>Activity log</source>
        <translation>Journal d’activité</translation>
    </message>
    <message>
        <source>Log</source>
        <translation>Journal</translation>
    </message>
    <message>
        <source>Show the whole log</source>
        <translation>Afficher tout le journal</translation>
    </message>
    <message>
        <source>Local network information</source>
        <translation>Informations sur le réseau local</translation>
    </message>
    <message>
        <source>Share topics with colleagues through a shared folder.</source>
        <translation>Partager des sujets avec des collègues par un dossier partagé.</translation>
    </message>
    <message>
        <source>Contacts</source>
        <translation>Contacts</translation>
    </message>
    <message>
        <source>Nimbus Desk Information Assistant</source>
        <translation>Nimbus Desk Assistant d’information</translation>
    </message>
    <message>
        <source>Remove the topic &quot;%1&quot; and its %2 sub-topics?

&quot;Undo&quot; (Ctrl+Z) brings it back.</source>
        <translation>Supprimer le sujet «&#xa0;%1&#xa0;» et ses %2 sous-sujets&#xa0;?

«&#xa0;Annuler&#xa0;» (Ctrl+Z) le rétablit.</translation>
    </message>
    <message>
        <source>Remove the topic &quot;%1&quot; and its 1 sub-topic?

&quot;Undo&quot; (Ctrl+Z) brings it back.</source>
        <translation>Supprimer le sujet «&#xa0;%1&#xa0;» et son sous-sujet&#xa0;?

«&#xa0;Annuler&#xa0;» (Ctrl+Z) le rétablit.</translation>
    </message>
    <message>
        <source>Remove the topic &quot;%1&quot;?

&quot;Undo&quot; (Ctrl+Z) brings it back.</source>
        <translation>Supprimer le sujet «&#xa0;%1&#xa0;»&#xa0;?

«&#xa0;Annuler&#xa0;» (Ctrl+Z) le rétablit.</translation>
    </message>
    <message>
        <source>The topic was removed while its options were open; nothing was changed.</source>
        <translation>Le sujet a été supprimé pendant que ses options étaient ouvertes&#xa0;; rien n’a été modifié.</translation>
    </message>
    <message>
        <source>While its options were open, &quot;%1&quot; was also changed elsewhere (by calendar sync, a colleague or nimbus-cli) in: %2.

Keep your changes there? No keeps the other change; your other changes are kept either way.</source>
        <translation>Pendant que ses options étaient ouvertes, «&#xa0;%1&#xa0;» a aussi été modifié ailleurs (par la synchronisation d’agenda, un collègue ou nimbus-cli), dans&#xa0;: %2.

Conserver vos modifications à cet endroit&#xa0;? «&#xa0;Non&#xa0;» conserve l’autre modification&#xa0;; vos autres modifications sont conservées dans tous les cas.</translation>
    </message>
</context>
<context>
    <name>nimbus::TopicOptionsMerge</name>
    <message>
        <source>title</source>
        <translation>titre</translation>
    </message>
    <message>
        <source>type</source>
        <translation>type</translation>
    </message>
    <message>
        <source>status and progress</source>
        <translation>état et avancement</translation>
    </message>
    <message>
        <source>urgency</source>
        <translation>urgence</translation>
    </message>
    <message>
        <source>dates and repeat</source>
        <translation>dates et répétition</translation>
    </message>
    <message>
        <source>priority</source>
        <translation>priorité</translation>
    </message>
    <message>
        <source>flag ahead</source>
        <translation>marquage urgent anticipé</translation>
    </message>
    <message>
        <source>duration</source>
        <translation>durée</translation>
    </message>
</context>
<context>
    <name>nimbus::TreeActions</name>
    <message>
        <source>Insert New Section</source>
        <translation>Insérer une nouvelle section</translation>
    </message>
    <message>
        <source>Insert new topic</source>
        <translation>Insérer un nouveau sujet</translation>
    </message>
    <message>
        <source>Add new sub-topic</source>
        <translation>Ajouter un sous-sujet</translation>
    </message>
    <message>
        <source>Edit details</source>
        <translation>Modifier les détails</translation>
    </message>
    <message>
        <source>Favourites</source>
        <translation>Favoris</translation>
    </message>
    <message>
        <source>Skip this occurrence</source>
        <translation>Ignorer cette occurrence</translation>
    </message>
    <message>
        <source>Convert topic to a sub-topic</source>
        <translation>Convertir le sujet en sous-sujet</translation>
    </message>
    <message>
        <source>Convert sub-topic to a topic</source>
        <translation>Convertir le sous-sujet en sujet</translation>
    </message>
    <message>
        <source>Sort sub-topics</source>
        <translation>Trier les sous-sujets</translation>
    </message>
    <message>
        <source>Sort sub-tasks by urgency/priority</source>
        <translation>Trier les sous-tâches par urgence/priorité</translation>
    </message>
    <message>
        <source>Sort sub-tasks by date due</source>
        <translation>Trier les sous-tâches par date d’échéance</translation>
    </message>
    <message>
        <source>Expand all</source>
        <translation>Tout déplier</translation>
    </message>
    <message>
        <source>Expand urgent tasks</source>
        <translation>Déplier les tâches urgentes</translation>
    </message>
    <message>
        <source>Expand tasks in progress</source>
        <translation>Déplier les tâches en cours</translation>
    </message>
    <message>
        <source>Expand tasks and events due within two weeks</source>
        <translation>Déplier les tâches et événements prévus dans les deux semaines</translation>
    </message>
    <message>
        <source>Expand tasks and events due within six weeks</source>
        <translation>Déplier les tâches et événements prévus dans les six semaines</translation>
    </message>
    <message>
        <source>Contract all</source>
        <translation>Tout replier</translation>
    </message>
    <message>
        <source>Move topic up</source>
        <translation>Monter le sujet</translation>
    </message>
    <message>
        <source>Move topic down</source>
        <translation>Descendre le sujet</translation>
    </message>
    <message>
        <source>Remove this topic permanently</source>
        <translation>Supprimer définitivement ce sujet</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <source>Change topic type ...</source>
        <translation>Changer le type du sujet…</translation>
    </message>
    <message>
        <source>Send copy to</source>
        <translation>Envoyer une copie à</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Supprimer</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Rétablir</translation>
    </message>
    <message>
        <source>Skip a refused step</source>
        <translation>Ignorer une étape refusée</translation>
    </message>
    <message>
        <source>Undo history ...</source>
        <translation>Historique des modifications…</translation>
    </message>
    <message>
        <source>Undo %1</source>
        <translation>Annuler&#xa0;: %1</translation>
    </message>
    <message>
        <source>Redo %1</source>
        <translation>Rétablir&#xa0;: %1</translation>
    </message>
    <message>
        <source>Skip %1</source>
        <translation>Ignorer&#xa0;: %1</translation>
    </message>
</context>
<context>
    <name>nimbus::TreeHistory</name>
    <message>
        <source>Undo history</source>
        <translation>Historique des modifications</translation>
    </message>
    <message>
        <source>&lt;the session&apos;s start&gt;</source>
        <translation>&lt;début de la session&gt;</translation>
    </message>
</context>
<context>
    <name>nimbus::TreeToolbar</name>
    <message>
        <source>General topic group</source>
        <translation>Groupe de sujets général</translation>
    </message>
    <message>
        <source>Notes and information</source>
        <translation>Notes et informations</translation>
    </message>
    <message>
        <source>Ideas and suggestions</source>
        <translation>Idées et suggestions</translation>
    </message>
    <message>
        <source>Finance</source>
        <translation>Finances</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>Événement</translation>
    </message>
    <message>
        <source>Task</source>
        <translation>Tâche</translation>
    </message>
    <message>
        <source>Task not started</source>
        <translation>Tâche non commencée</translation>
    </message>
    <message>
        <source>Task in progress</source>
        <translation>Tâche en cours</translation>
    </message>
    <message>
        <source>Task waiting</source>
        <translation>Tâche en attente</translation>
    </message>
    <message>
        <source>Task finished</source>
        <translation>Tâche terminée</translation>
    </message>
    <message>
        <source>Task on hold</source>
        <translation>Tâche suspendue</translation>
    </message>
    <message>
        <source>Mark as urgent</source>
        <translation>Marquer comme urgente</translation>
    </message>
    <message>
        <source>Not urgent</source>
        <translation>Pas urgente</translation>
    </message>
    <message>
        <source>Increase task priority</source>
        <translation>Augmenter la priorité de la tâche</translation>
    </message>
    <message>
        <source>Decrease task priority</source>
        <translation>Diminuer la priorité de la tâche</translation>
    </message>
    <message>
        <source>Priority 1 - top</source>
        <translation>Priorité 1 – la plus haute</translation>
    </message>
    <message>
        <source>Priority %1</source>
        <translation>Priorité %1</translation>
    </message>
    <message>
        <source>Set task priority</source>
        <translation>Définir la priorité de la tâche</translation>
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
        <translation>Synchronisation du calendrier</translation>
    </message>
    <message>
        <source>&amp;Server address:</source>
        <translation>Adresse du &amp;serveur&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;User name:</source>
        <translation>Nom d’&amp;utilisateur&#xa0;:</translation>
    </message>
    <message>
        <source>kept in the desktop&apos;s password store, or for this session only</source>
        <translation>conservé dans le trousseau du bureau, ou pour cette session seulement</translation>
    </message>
    <message>
        <source>&amp;Password:</source>
        <translation>&amp;Mot de passe&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;Find calendars</source>
        <translation>&amp;Chercher les agendas</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>Agenda</translation>
    </message>
    <message>
        <source>Keep in step with</source>
        <translation>Synchroniser avec</translation>
    </message>
    <message>
        <source>&amp;Calendars:</source>
        <translation>&amp;Agendas&#xa0;:</translation>
    </message>
    <message>
        <source> minutes</source>
        <translation> minutes</translation>
    </message>
    <message>
        <source>Sync &amp;every:</source>
        <translation>Synchroniser &amp;toutes les&#xa0;:</translation>
    </message>
    <message>
        <source>(not synced)</source>
        <translation>(non synchronisé)</translation>
    </message>
    <message>
        <source>Keep %1 in step with</source>
        <translation>Synchroniser %1 avec</translation>
    </message>
    <message>
        <source>Asking the server ...</source>
        <translation>Interrogation du serveur…</translation>
    </message>
    <message>
        <source>The server lists no calendar for tasks or events.</source>
        <translation>Le serveur ne propose aucun agenda pour les tâches ou les événements.</translation>
    </message>
    <message numerus="yes">
        <source>%n calendar(s) found.</source>
        <translation>
            <numerusform>%n agenda trouvé.</numerusform>
            <numerusform>%n agendas trouvés.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>nimbus::caldavui::CalendarPreferencesBox</name>
    <message>
        <source>Calendar sync</source>
        <translation>Synchronisation du calendrier</translation>
    </message>
    <message>
        <source>Calendar sync ...</source>
        <translation>Synchronisation du calendrier…</translation>
    </message>
    <message>
        <source>The server, user name and password, and which calendar keeps which topic</source>
        <translation>Le serveur, le nom d’utilisateur et le mot de passe, et quel agenda garde quel sujet</translation>
    </message>
    <message>
        <source>No calendar is kept in step with a server.</source>
        <translation>Aucun agenda n’est synchronisé avec un serveur.</translation>
    </message>
    <message numerus="yes">
        <source>%1 at %2, every %n minute(s)</source>
        <translation>
            <numerusform>%1 sur %2, toutes les minutes</numerusform>
            <numerusform>%1 sur %2, toutes les %n minutes</numerusform>
        </translation>
    </message>
    <message>
        <source>(topic not found)</source>
        <translation>(sujet introuvable)</translation>
    </message>
</context>
<context>
    <name>nimbus::caldavui::CalendarSyncController</name>
    <message>
        <source>Calendar sync</source>
        <translation>Synchronisation du calendrier</translation>
    </message>
    <message>
        <source>Sync now</source>
        <translation>Synchroniser maintenant</translation>
    </message>
    <message>
        <source>Sync the calendar now</source>
        <translation>Synchroniser le calendrier maintenant</translation>
    </message>
    <message>
        <source>Calendar sync ...</source>
        <translation>Synchronisation du calendrier…</translation>
    </message>
    <message>
        <source>Keep topics in step with a calendar on a server</source>
        <translation>Synchroniser les sujets avec un agenda sur un serveur</translation>
    </message>
    <message>
        <source>Calendar sync failed: %1</source>
        <translation>Échec de la synchronisation du calendrier&#xa0;: %1</translation>
    </message>
    <message>
        <source>Calendar sync failed: the calendar links could not be saved.</source>
        <translation>Échec de la synchronisation du calendrier&#xa0;: les liens du calendrier n’ont pas pu être enregistrés.</translation>
    </message>
    <message>
        <source>Calendar sync: connecting to %1 ...</source>
        <translation>Synchronisation du calendrier&#xa0;: connexion à %1…</translation>
    </message>
    <message>
        <source>Calendar sync (%1): %2 of %3 - %4</source>
        <translation>Synchronisation du calendrier (%1)&#xa0;: %2 sur %3 – %4</translation>
    </message>
    <message>
        <source>The password for %1 at %2:</source>
        <translation>Le mot de passe de %1 sur %2&#xa0;:</translation>
    </message>
    <message>
        <source>Calendar sync waits for the password (&quot;Sync now&quot; asks for it again).</source>
        <translation>La synchronisation du calendrier attend le mot de passe («&#xa0;Synchroniser maintenant&#xa0;» le redemande).</translation>
    </message>
    <message>
        <source>Calendar sync waits for the password (&quot;Sync now&quot; asks for it).</source>
        <translation>La synchronisation du calendrier attend le mot de passe («&#xa0;Synchroniser maintenant&#xa0;» le demande).</translation>
    </message>
    <message>
        <source>Calendar synced at %1: %2 sent, %3 received, %4 removed</source>
        <translation>Calendrier synchronisé à %1&#xa0;: %2 envoyés, %3 reçus, %4 supprimés</translation>
    </message>
    <message>
        <source>, %1 conflicts</source>
        <translation>, %1 conflits</translation>
    </message>
    <message>
        <source>, %1 not taken by the server (see the log)</source>
        <translation>, %1 refusés par le serveur (voir le journal)</translation>
    </message>
    <message>
        <source>, %1 kept here (the calendar is read-only)</source>
        <translation>, %1 gardés ici (le calendrier est en lecture seule)</translation>
    </message>
    <message>
        <source>Calendar sync failed: %1 It is tried again later.</source>
        <translation>Échec de la synchronisation du calendrier&#xa0;: %1 Elle sera retentée plus tard.</translation>
    </message>
</context>
<context>
    <name>nimbus::checklist</name>
    <message>
        <source>Change</source>
        <translation>Modifier</translation>
    </message>
    <message>
        <source>Change selected item:</source>
        <translation>Modifier l’élément choisi&#xa0;:</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Ajouter</translation>
    </message>
    <message>
        <source>New item:</source>
        <translation>Nouvel élément&#xa0;:</translation>
    </message>
    <message>
        <source>The checklist could not be saved as %1: %2</source>
        <translation>La liste de contrôle n’a pas pu être enregistrée sous %1&#xa0;: %2</translation>
    </message>
</context>
<context>
    <name>nimbus::checklist::ChecklistActions</name>
    <message>
        <source>Change page title</source>
        <translation>Changer le titre de la page</translation>
    </message>
    <message>
        <source>Add new item</source>
        <translation>Ajouter un élément</translation>
    </message>
    <message>
        <source>Insert new item</source>
        <translation>Insérer un élément</translation>
    </message>
    <message>
        <source>Change item</source>
        <translation>Modifier l’élément</translation>
    </message>
    <message>
        <source>Move up</source>
        <translation>Monter</translation>
    </message>
    <message>
        <source>Move down</source>
        <translation>Descendre</translation>
    </message>
    <message>
        <source>Open link</source>
        <translation>Ouvrir le lien</translation>
    </message>
    <message>
        <source>Open containing folder</source>
        <translation>Ouvrir le dossier parent</translation>
    </message>
    <message>
        <source>Select all</source>
        <translation>Tout sélectionner</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copier</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Coller</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Imprimer</translation>
    </message>
    <message>
        <source>Save as a Word document</source>
        <translation>Enregistrer comme document Word</translation>
    </message>
    <message>
        <source>Remove selected item(s)</source>
        <translation>Supprimer les éléments choisis</translation>
    </message>
    <message>
        <source>Remove all ticks</source>
        <translation>Décocher tout</translation>
    </message>
    <message>
        <source>Remove all dates</source>
        <translation>Supprimer toutes les dates</translation>
    </message>
    <message>
        <source>Remove all items</source>
        <translation>Supprimer tous les éléments</translation>
    </message>
    <message>
        <source>Sort items</source>
        <translation>Trier les éléments</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Supprimer</translation>
    </message>
</context>
<context>
    <name>nimbus::checklist::ChecklistPage</name>
    <message>
        <source>Type an item and press Enter to add it</source>
        <translation>Saisissez un élément et appuyez sur Entrée pour l’ajouter</translation>
    </message>
    <message>
        <source>Cannot open &quot;%1&quot;.</source>
        <translation>Impossible d’ouvrir «&#xa0;%1&#xa0;».</translation>
    </message>
    <message>
        <source>There is no folder to open for &quot;%1&quot;.</source>
        <translation>Il n’y a pas de dossier à ouvrir pour «&#xa0;%1&#xa0;».</translation>
    </message>
</context>
<context>
    <name>nimbus::dialogs::OperationProgressDialog</name>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Cancelling ...</source>
        <translation>Annulation…</translation>
    </message>
</context>
<context>
    <name>nimbus::dialogs::RecurrenceEditor</name>
    <message>
        <source>Custom rule (weekdays, day of the month, an end)</source>
        <translation>Règle personnalisée (jours de la semaine, jour du mois, fin)</translation>
    </message>
    <message>
        <source>Replace with a new rule</source>
        <translation>Remplacer par une nouvelle règle</translation>
    </message>
    <message>
        <source>Repeats:</source>
        <translation>Répétition&#xa0;:</translation>
    </message>
    <message>
        <source>Daily</source>
        <translation>Quotidienne</translation>
    </message>
    <message>
        <source>Weekly</source>
        <translation>Hebdomadaire</translation>
    </message>
    <message>
        <source>Monthly</source>
        <translation>Mensuelle</translation>
    </message>
    <message>
        <source>Yearly</source>
        <translation>Annuelle</translation>
    </message>
    <message>
        <source>every</source>
        <translation>intervalle</translation>
    </message>
    <message>
        <source>Every weekday</source>
        <translation>Tous les jours ouvrables</translation>
    </message>
    <message>
        <source>On:</source>
        <translation>Les&#xa0;:</translation>
    </message>
    <message>
        <source>On day</source>
        <translation>Le jour</translation>
    </message>
    <message>
        <source>On the</source>
        <translation>Le</translation>
    </message>
    <message>
        <source>first</source>
        <translation>premier</translation>
    </message>
    <message>
        <source>second</source>
        <translation>deuxième</translation>
    </message>
    <message>
        <source>third</source>
        <translation>troisième</translation>
    </message>
    <message>
        <source>fourth</source>
        <translation>quatrième</translation>
    </message>
    <message>
        <source>last</source>
        <translation>dernier</translation>
    </message>
    <message>
        <source>Custom rule</source>
        <translation>Règle personnalisée</translation>
    </message>
    <message>
        <source>Repeats</source>
        <translation>Répétition</translation>
    </message>
    <message>
        <source>Repeats every</source>
        <translation>Intervalle de répétition</translation>
    </message>
    <message>
        <source>Day of the month</source>
        <translation>Jour du mois</translation>
    </message>
    <message>
        <source>Which weekday of the month</source>
        <translation>Quel jour de la semaine dans le mois</translation>
    </message>
    <message>
        <source>Weekday of the month</source>
        <translation>Jour de la semaine dans le mois</translation>
    </message>
    <message>
        <source>Number of times</source>
        <translation>Nombre d’occurrences</translation>
    </message>
    <message>
        <source>Last date</source>
        <translation>Dernière date</translation>
    </message>
    <message>
        <source>Next dates</source>
        <translation>Prochaines dates</translation>
    </message>
    <message>
        <source>Never ends</source>
        <translation>Sans fin</translation>
    </message>
    <message>
        <source>Ends after</source>
        <translation>Se termine après</translation>
    </message>
    <message>
        <source>Ends on</source>
        <translation>Se termine le</translation>
    </message>
    <message>
        <source>times</source>
        <translation>occurrences</translation>
    </message>
    <message>
        <source>This rule was made by another program; it is kept as it is.</source>
        <translation>Cette règle vient d’un autre programme&#xa0;; elle est conservée telle quelle.</translation>
    </message>
    <message>
        <source>day</source>
        <translation>jour</translation>
    </message>
    <message>
        <source>days</source>
        <translation>jours</translation>
    </message>
    <message>
        <source>week</source>
        <translation>semaine</translation>
    </message>
    <message>
        <source>weeks</source>
        <translation>semaines</translation>
    </message>
    <message>
        <source>month</source>
        <translation>mois</translation>
    </message>
    <message>
        <source>months</source>
        <translation>mois</translation>
    </message>
    <message>
        <source>year</source>
        <translation>an</translation>
    </message>
    <message>
        <source>years</source>
        <translation>ans</translation>
    </message>
    <message>
        <source>No dates ahead: the rule has ended.</source>
        <translation>Plus aucune date&#xa0;: la règle est terminée.</translation>
    </message>
    <message>
        <source>Next dates: %1</source>
        <translation>Prochaines dates&#xa0;: %1</translation>
    </message>
</context>
<context>
    <name>nimbus::dialogs::TformHilite</name>
    <message>
        <source>HighLight Colour</source>
        <translation>Couleur de surlignage</translation>
    </message>
    <message>
        <source>Preview:</source>
        <translation>Aperçu&#xa0;:</translation>
    </message>
    <message>
        <source>The quick brown fox jumped over the lazy dog.</source>
        <translation>Portez ce vieux whisky au juge blond qui fume.</translation>
    </message>
    <message>
        <source>Text colour</source>
        <translation>Couleur du texte</translation>
    </message>
    <message>
        <source>Background colour</source>
        <translation>Couleur de fond</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>nimbus::dialogs::TformProgress</name>
    <message>
        <source>Topic options</source>
        <translation>Options du sujet</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Topic:</source>
        <translation>Sujet&#xa0;:</translation>
    </message>
    <message>
        <source>One-off</source>
        <translation>Unique</translation>
    </message>
    <message>
        <source>Date due:</source>
        <translation>Date d’échéance&#xa0;:</translation>
    </message>
    <message>
        <source>Recurring</source>
        <translation>Récurrent</translation>
    </message>
    <message>
        <source>Next date due:</source>
        <translation>Prochaine échéance&#xa0;:</translation>
    </message>
    <message>
        <source>Mark as complete automatically after the date due</source>
        <translation>Marquer comme terminé automatiquement après l’échéance</translation>
    </message>
    <message>
        <source>Flag as urgent</source>
        <translation>Marquer comme urgent</translation>
    </message>
    <message>
        <source>days before</source>
        <translation>jours avant</translation>
    </message>
    <message>
        <source>Duration:</source>
        <translation>Durée&#xa0;:</translation>
    </message>
    <message>
        <source>Priority:</source>
        <translation>Priorité&#xa0;:</translation>
    </message>
    <message>
        <source>Percentage complete:</source>
        <translation>Pourcentage d’achèvement&#xa0;:</translation>
    </message>
    <message>
        <source>Calculate from sub-tasks</source>
        <translation>Calculer à partir des sous-tâches</translation>
    </message>
    <message>
        <source>Remind me:</source>
        <translation>Me rappeler&#xa0;:</translation>
    </message>
    <message>
        <source>Last done:</source>
        <translation>Dernière fois&#xa0;:</translation>
    </message>
    <message>
        <source>Date due</source>
        <translation>Date d’échéance</translation>
    </message>
    <message>
        <source>Time due</source>
        <translation>Heure d’échéance</translation>
    </message>
    <message>
        <source>Next date due</source>
        <translation>Prochaine date d’échéance</translation>
    </message>
    <message>
        <source>Next time due</source>
        <translation>Prochaine heure d’échéance</translation>
    </message>
    <message>
        <source>Recurs every</source>
        <translation>Se répète tous les</translation>
    </message>
    <message>
        <source>Recurrence period</source>
        <translation>Période de récurrence</translation>
    </message>
    <message>
        <source>Flag as urgent, days before</source>
        <translation>Marquer comme urgent, jours avant</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>Durée</translation>
    </message>
    <message>
        <source>Duration period</source>
        <translation>Unité de durée</translation>
    </message>
    <message>
        <source>Priority</source>
        <translation>Priorité</translation>
    </message>
    <message>
        <source>Percentage complete</source>
        <translation>Pourcentage d’achèvement</translation>
    </message>
    <message>
        <source>Remind me</source>
        <translation>Me rappeler</translation>
    </message>
</context>
<context>
    <name>nimbus::dialogs::TformSelection</name>
    <message>
        <source>Topic Selection</source>
        <translation>Choix du sujet</translation>
    </message>
    <message>
        <source>Select topic</source>
        <translation>Choisir le sujet</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>nimbus::dialogs::TformTitle</name>
    <message>
        <source>Page title</source>
        <translation>Titre de la page</translation>
    </message>
    <message>
        <source>Type in a new title for this page and click OK</source>
        <translation>Saisissez un nouveau titre pour cette page et cliquez sur OK</translation>
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
        <translation>Choisir le type de sujet</translation>
    </message>
    <message>
        <source>Things to do</source>
        <translation>Choses à faire</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Informations</translation>
    </message>
    <message>
        <source>Ideas</source>
        <translation>Idées</translation>
    </message>
    <message>
        <source>Finances</source>
        <translation>Finances</translation>
    </message>
    <message>
        <source>Events</source>
        <translation>Événements</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>nimbus::dialogs::TimePicker</name>
    <message>
        <source>Due time</source>
        <translation>Heure d’échéance</translation>
    </message>
    <message>
        <source>%1 set</source>
        <translation>%1 définie</translation>
    </message>
</context>
<context>
    <name>nimbus::fileio</name>
    <message>
        <source>it is a symbolic link</source>
        <translation>c’est un lien symbolique</translation>
    </message>
    <message>
        <source>it is a folder</source>
        <translation>c’est un dossier</translation>
    </message>
    <message>
        <source>it is not a plain file</source>
        <translation>ce n’est pas un fichier ordinaire</translation>
    </message>
</context>
<context>
    <name>nimbus::ipc</name>
    <message>
        <source>it is a symbolic link</source>
        <translation>c’est un lien symbolique</translation>
    </message>
    <message>
        <source>it is not a folder</source>
        <translation>ce n’est pas un dossier</translation>
    </message>
    <message>
        <source>it belongs to another account (user id %1)</source>
        <translation>il appartient à un autre compte (identifiant utilisateur %1)</translation>
    </message>
    <message>
        <source>The folder %1, where this program finds its running copy, cannot be used: %2. %3 is used instead.</source>
        <translation>Le dossier %1, où ce programme trouve sa copie en cours d’exécution, ne peut pas être utilisé&#xa0;: %2. %3 est utilisé à la place.</translation>
    </message>
    <message>
        <source>The folder %1, where this program finds its running copy, cannot be used: %2. Remove that folder, or set XDG_RUNTIME_DIR to a private folder of yours, and start the program again.</source>
        <translation>Le dossier %1, où ce programme trouve sa copie en cours d’exécution, ne peut pas être utilisé&#xa0;: %2. Supprimez ce dossier, ou définissez XDG_RUNTIME_DIR sur un dossier privé à vous, puis relancez le programme.</translation>
    </message>
</context>
<context>
    <name>nimbus::pages::AboutPage</name>
    <message>
        <source>Operating system:</source>
        <translation>Système d’exploitation&#xa0;:</translation>
    </message>
    <message>
        <source>OS Version:</source>
        <translation>Version du système&#xa0;:</translation>
    </message>
    <message>
        <source>Processor:</source>
        <translation>Processeur&#xa0;:</translation>
    </message>
    <message>
        <source>Information Assistant</source>
        <translation>Assistant d’information</translation>
    </message>
    <message>
        <source>Version </source>
        <translation>Version </translation>
    </message>
    <message>
        <source>Copyright %1 %2 the makers of Nimbus Desk. All rights reserved.</source>
        <translation>Copyright %1 %2 les auteurs de Nimbus Desk. Tous droits réservés.</translation>
    </message>
</context>
<context>
    <name>nimbus::pages::DetailsEditor</name>
    <message>
        <source>Details</source>
        <translation>Détails</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Imprimer</translation>
    </message>
    <message>
        <source>Save as a Word document</source>
        <translation>Enregistrer comme document Word</translation>
    </message>
    <message>
        <source>Change page title</source>
        <translation>Changer le titre de la page</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Select all</source>
        <translation>Tout sélectionner</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copier</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>Couper</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Coller</translation>
    </message>
    <message>
        <source>Switch highlighting on/off</source>
        <translation>Activer/désactiver le surlignage</translation>
    </message>
    <message>
        <source>it holds a word or paragraph of %1 characters, which is shown cut short.</source>
        <translation>elle contient un mot ou un paragraphe de %1 caractères, affiché tronqué.</translation>
    </message>
    <message>
        <source>The page could not be saved as %1: %2</source>
        <translation>La page n’a pas pu être enregistrée en tant que %1&#xa0;: %2</translation>
    </message>
</context>
<context>
    <name>nimbus::pages::DetailsFormatting</name>
    <message>
        <source>Font</source>
        <translation>Police</translation>
    </message>
    <message>
        <source>Chant font settings</source>
        <translation>Modifier les paramètres de police</translation>
    </message>
    <message>
        <source>&amp;Bold</source>
        <translation>&amp;Gras</translation>
    </message>
    <message>
        <source>&amp;Strikeout</source>
        <translation>&amp;Barré</translation>
    </message>
    <message>
        <source>&amp;Italic</source>
        <translation>&amp;Italique</translation>
    </message>
    <message>
        <source>&amp;Underline</source>
        <translation>&amp;Souligné</translation>
    </message>
    <message>
        <source>&amp;Bullets</source>
        <translation>&amp;Puces</translation>
    </message>
    <message>
        <source>Paragraph numbers</source>
        <translation>Numérotation des paragraphes</translation>
    </message>
    <message>
        <source>Paragraph indent</source>
        <translation>Augmenter le retrait</translation>
    </message>
    <message>
        <source>Paragraph outdent</source>
        <translation>Diminuer le retrait</translation>
    </message>
</context>
<context>
    <name>nimbus::pages::HighlightControl</name>
    <message>
        <source>Highlight text</source>
        <translation>Surligner le texte</translation>
    </message>
    <message>
        <source>Remove highlighting</source>
        <translation>Supprimer le surlignage</translation>
    </message>
    <message>
        <source>Text highlighting on or off</source>
        <translation>Surlignage du texte activé ou non</translation>
    </message>
    <message>
        <source>Background highlighting on or off</source>
        <translation>Surlignage du fond activé ou non</translation>
    </message>
</context>
<context>
    <name>nimbus::pages::PreferencesPage</name>
    <message>
        <source>Preferences</source>
        <translation>Préférences</translation>
    </message>
    <message>
        <source>Date format</source>
        <translation>Format de date</translation>
    </message>
    <message>
        <source>Sound effects on</source>
        <translation>Effets sonores activés</translation>
    </message>
    <message>
        <source>Show summary at start up</source>
        <translation>Afficher le résumé au démarrage</translation>
    </message>
    <message>
        <source>Change details page normal font settings</source>
        <translation>Modifier la police normale des pages de détails</translation>
    </message>
</context>
<context>
    <name>nimbus::pages::TopicPage</name>
    <message>
        <source>This topic is locked</source>
        <translation>Ce sujet est verrouillé</translation>
    </message>
    <message>
        <source>Change page title</source>
        <translation>Changer le titre de la page</translation>
    </message>
    <message>
        <source>It is shown read-only and its file is left as it is.</source>
        <translation>Elle est affichée en lecture seule et son fichier reste tel quel.</translation>
    </message>
    <message>
        <source>This page could not be read (%1). </source>
        <translation>Cette page n’a pas pu être lue (%1). </translation>
    </message>
    <message>
        <source>This page could not be read completely: %1 </source>
        <translation>Cette page n’a pas pu être lue entièrement&#xa0;: %1 </translation>
    </message>
    <message>
        <source>This page holds %1, which this editor cannot keep. </source>
        <translation>Cette page contient %1, que cet éditeur ne peut pas conserver. </translation>
    </message>
    <message>
        <source>, </source>
        <translation>, </translation>
    </message>
    <message>
        <source>The changes to the page &quot;%1&quot; of &quot;%2&quot; could not be saved (%3). They are kept and saved again with the next save.</source>
        <translation>Les modifications de la page «&#xa0;%1&#xa0;» de «&#xa0;%2&#xa0;» n’ont pas pu être enregistrées (%3). Elles sont conservées et seront enregistrées à nouveau lors du prochain enregistrement.</translation>
    </message>
    <message>
        <source> %1 pages are waiting to be saved.</source>
        <translation> %1 pages attendent d’être enregistrées.</translation>
    </message>
</context>
<context>
    <name>nimbus::reminders</name>
    <message>
        <source>Open</source>
        <translation>Ouvrir</translation>
    </message>
    <message>
        <source>Snooze 10 minutes</source>
        <translation>Répéter dans 10 minutes</translation>
    </message>
    <message>
        <source>Snooze 1 hour</source>
        <translation>Répéter dans 1 heure</translation>
    </message>
    <message>
        <source>Snooze until tomorrow morning</source>
        <translation>Répéter demain matin</translation>
    </message>
    <message>
        <source>Mark completed</source>
        <translation>Marquer comme terminé</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Aucun</translation>
    </message>
    <message>
        <source>1 hour before</source>
        <translation>1 heure avant</translation>
    </message>
    <message>
        <source>1 day before</source>
        <translation>1 jour avant</translation>
    </message>
    <message numerus="yes">
        <source>%n minute(s) before</source>
        <translation>
            <numerusform>%n minute avant</numerusform>
            <numerusform>%n minutes avant</numerusform>
        </translation>
    </message>
    <message>
        <source>at %1 on %2</source>
        <translation>à %1 le %2</translation>
    </message>
    <message>
        <source>at %1</source>
        <translation>à %1</translation>
    </message>
    <message>
        <source>on %1</source>
        <translation>le %1</translation>
    </message>
    <message>
        <source>today</source>
        <translation>aujourd’hui</translation>
    </message>
    <message>
        <source>%1 on %2</source>
        <translation>%1 le %2</translation>
    </message>
    <message numerus="yes">
        <source>in %n minute(s)</source>
        <translation>
            <numerusform>dans %n minute</numerusform>
            <numerusform>dans %n minutes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %n hour(s)</source>
        <translation>
            <numerusform>dans %n heure</numerusform>
            <numerusform>dans %n heures</numerusform>
        </translation>
    </message>
    <message>
        <source>in %1 %2</source>
        <translation>dans %1 %2</translation>
    </message>
    <message numerus="yes">
        <source>%n hour(s)</source>
        <translation>
            <numerusform>%n heure</numerusform>
            <numerusform>%n heures</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n minute(s)</source>
        <translation>
            <numerusform>%n minute</numerusform>
            <numerusform>%n minutes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %n day(s)</source>
        <translation>
            <numerusform>dans %n jour</numerusform>
            <numerusform>dans %n jours</numerusform>
        </translation>
    </message>
    <message>
        <source>Due %1, %2</source>
        <translation>Échéance %1, %2</translation>
    </message>
    <message>
        <source>Starts %1, %2</source>
        <translation>Commence %1, %2</translation>
    </message>
    <message>
        <source>Due %1</source>
        <translation>Échéance %1</translation>
    </message>
    <message>
        <source>Starts today</source>
        <translation>Commence aujourd’hui</translation>
    </message>
    <message>
        <source>Started %1</source>
        <translation>A commencé %1</translation>
    </message>
    <message>
        <source>Starts now, %1</source>
        <translation>Commence maintenant, %1</translation>
    </message>
    <message>
        <source>Due today, %1</source>
        <translation>Échéance aujourd’hui, %1</translation>
    </message>
    <message>
        <source>Due today</source>
        <translation>Échéance aujourd’hui</translation>
    </message>
    <message>
        <source>Now urgent: due %1</source>
        <translation>Désormais urgent&#xa0;: échéance %1</translation>
    </message>
    <message>
        <source>Now urgent: starts %1</source>
        <translation>Désormais urgent&#xa0;: commence %1</translation>
    </message>
    <message>
        <source>Overdue: was due %1</source>
        <translation>En retard&#xa0;: échéance %1</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1&#xa0;: %2</translation>
    </message>
    <message numerus="yes">
        <source>(%n time(s) since %1)</source>
        <translation>
            <numerusform>(%n fois depuis %1)</numerusform>
            <numerusform>(%n fois depuis %1)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n reminder(s) while Nimbus Desk was closed</source>
        <translation>
            <numerusform>%n rappel pendant que Nimbus Desk était fermé</numerusform>
            <numerusform>%n rappels pendant que Nimbus Desk était fermé</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n reminder(s) you missed</source>
        <translation>
            <numerusform>%n rappel manqué</numerusform>
            <numerusform>%n rappels manqués</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 reminders</source>
        <translation>%1 rappels</translation>
    </message>
    <message>
        <source>%1 topics are coming up</source>
        <translation>%1 sujets approchent</translation>
    </message>
    <message>
        <source>%1 topics are due today</source>
        <translation>%1 sujets arrivent à échéance aujourd’hui</translation>
    </message>
    <message>
        <source>%1 events are starting</source>
        <translation>%1 événements commencent</translation>
    </message>
    <message>
        <source>%1 topics are now urgent</source>
        <translation>%1 sujets sont désormais urgents</translation>
    </message>
    <message>
        <source>%1 topics are overdue</source>
        <translation>%1 sujets sont en retard</translation>
    </message>
    <message>
        <source>soon</source>
        <translation>bientôt</translation>
    </message>
    <message>
        <source>due today</source>
        <translation>échéance aujourd’hui</translation>
    </message>
    <message>
        <source>starts</source>
        <translation>commence</translation>
    </message>
    <message>
        <source>urgent</source>
        <translation>urgent</translation>
    </message>
    <message>
        <source>overdue</source>
        <translation>en retard</translation>
    </message>
    <message>
        <source>snoozed</source>
        <translation>reporté</translation>
    </message>
    <message>
        <source>Nimbus Desk: nothing overdue or urgent</source>
        <translation>Nimbus Desk&#xa0;: rien en retard ni urgent</translation>
    </message>
    <message>
        <source>Nimbus Desk: %1 overdue, %2 urgent, %3 due today</source>
        <translation>Nimbus Desk&#xa0;: %1 en retard, %2 urgents, %3 à échéance aujourd’hui</translation>
    </message>
</context>
<context>
    <name>nimbus::reminderui::ReminderPreferencesBox</name>
    <message>
        <source>Reminders</source>
        <translation>Rappels</translation>
    </message>
    <message>
        <source>Remind me of events and tasks as they come due</source>
        <translation>Me rappeler les événements et tâches à leur échéance</translation>
    </message>
    <message>
        <source>Play a sound with reminders</source>
        <translation>Jouer un son avec les rappels</translation>
    </message>
    <message>
        <source>Quiet hours from</source>
        <translation>Heures calmes de</translation>
    </message>
    <message>
        <source>to</source>
        <translation>à</translation>
    </message>
    <message>
        <source>Keep running in the tray when the window is closed</source>
        <translation>Continuer dans la zone de notification quand la fenêtre est fermée</translation>
    </message>
</context>
<context>
    <name>nimbus::reminderui::ReminderTray</name>
    <message>
        <source>Overdue: %1</source>
        <translation>En retard&#xa0;: %1</translation>
    </message>
    <message>
        <source>Urgent: %1</source>
        <translation>Urgent&#xa0;: %1</translation>
    </message>
    <message>
        <source>Due today: %1</source>
        <translation>À faire aujourd’hui&#xa0;: %1</translation>
    </message>
    <message>
        <source>Show Nimbus Desk</source>
        <translation>Afficher Nimbus Desk</translation>
    </message>
    <message>
        <source>No reminders to come</source>
        <translation>Aucun rappel à venir</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Quitter</translation>
    </message>
</context>
<context>
    <name>nimbus::reminderui::ReminderWindow</name>
    <message>
        <source>Nimbus Desk reminders</source>
        <translation>Rappels de Nimbus Desk</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
</context>
<context>
    <name>nimbus::searchui::SearchController</name>
    <message>
        <source>title</source>
        <translation>titre</translation>
    </message>
    <message>
        <source>page: %1</source>
        <translation>page&#xa0;: %1</translation>
    </message>
    <message>
        <source>checklist: %1</source>
        <translation>liste de contrôle&#xa0;: %1</translation>
    </message>
    <message>
        <source>Search (Ctrl+F)</source>
        <translation>Rechercher (Ctrl+F)</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Rechercher</translation>
    </message>
    <message>
        <source>Saved searches</source>
        <translation>Recherches enregistrées</translation>
    </message>
    <message>
        <source>Saved searches (Alt+Down)</source>
        <translation>Recherches enregistrées (Alt+Bas)</translation>
    </message>
    <message>
        <source>Save this search</source>
        <translation>Enregistrer cette recherche</translation>
    </message>
    <message>
        <source>Name for the search &quot;%1&quot;:</source>
        <translation>Nom de la recherche «&#xa0;%1&#xa0;»&#xa0;:</translation>
    </message>
    <message>
        <source>A saved search is called &quot;%1&quot;. Replace it?</source>
        <translation>Une recherche enregistrée s’appelle déjà «&#xa0;%1&#xa0;». La remplacer&#xa0;?</translation>
    </message>
    <message>
        <source>Building the search index: %1 of %2 topics</source>
        <translation>Création de l’index de recherche&#xa0;: %1 sujets sur %2</translation>
    </message>
    <message>
        <source>%1 hits, the first %2 shown</source>
        <translation>%1 résultats, les %2 premiers affichés</translation>
    </message>
    <message>
        <source>1 hit</source>
        <translation>1 résultat</translation>
    </message>
    <message>
        <source>%1 hits</source>
        <translation>%1 résultats</translation>
    </message>
    <message>
        <source>Save this search...</source>
        <translation>Enregistrer cette recherche…</translation>
    </message>
    <message>
        <source>No saved searches</source>
        <translation>Aucune recherche enregistrée</translation>
    </message>
    <message>
        <source>Remove saved search</source>
        <translation>Supprimer la recherche enregistrée</translation>
    </message>
</context>
<context>
    <name>nimbus::searchui::SearchResultsPage</name>
    <message>
        <source>Search results</source>
        <translation>Résultats de la recherche</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>%1, %2, %3: %4</source>
        <translation>%1, %2, %3&#xa0;: %4</translation>
    </message>
</context>
<context>
    <name>nimbus::sharing</name>
    <message>
        <source>Not connected</source>
        <translation>Non connecté</translation>
    </message>
    <message>
        <source>Connected OK</source>
        <translation>Connecté</translation>
    </message>
    <message>
        <source>*** LAN Nimbus not accessible</source>
        <translation>*** Nimbus du réseau local inaccessible</translation>
    </message>
    <message>
        <source>*** LAN Nimbus not found</source>
        <translation>*** Nimbus du réseau local introuvable</translation>
    </message>
    <message>
        <source>*** Unable to create LAN Nimbus</source>
        <translation>*** Impossible de créer le Nimbus du réseau local</translation>
    </message>
    <message>
        <source>*** LAN Nimbus password incorrect</source>
        <translation>*** Mot de passe du Nimbus du réseau local incorrect</translation>
    </message>
    <message>
        <source>*** LAN Nimbus access not allowed</source>
        <translation>*** Accès au Nimbus du réseau local refusé</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Connecter</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Déconnecter</translation>
    </message>
    <message>
        <source>This LAN Nimbus connection does not exist yet.
Do you wish to create it now?</source>
        <translation>Cette connexion LAN Nimbus n’existe pas encore.
Voulez-vous la créer maintenant&#xa0;?</translation>
    </message>
    <message>
        <source>Do you wish to lock the topic so receivers cannot make changes?</source>
        <translation>Voulez-vous verrouiller le sujet pour que les destinataires ne puissent pas le modifier&#xa0;?</translation>
    </message>
</context>
<context>
    <name>nimbus::startup</name>
    <message>
        <source>The folder %1, where this program finds its running copy, cannot be used: %2.</source>
        <translation>Le dossier %1, où ce programme trouve sa copie en cours d’exécution, ne peut pas être utilisé&#xa0;: %2.</translation>
    </message>
    <message>
        <source>Another program holds %1nimbus_active and does not answer: Nimbus Desk does not start beside it.</source>
        <translation>Un autre programme occupe %1nimbus_active et ne répond pas&#xa0;: Nimbus Desk ne démarre pas à côté de lui.</translation>
    </message>
    <message>
        <source>The lock file %1 cannot be used (%2). Nimbus Desk runs, but nimbus-cli refuses to write your topics itself while this is not a plain file: remove it, and Nimbus Desk makes a new one at its next start.</source>
        <translation>Le fichier de verrou %1 ne peut pas être utilisé (%2). Nimbus Desk fonctionne, mais nimbus-cli refuse d’écrire lui-même vos sujets tant que ce n’est pas un fichier ordinaire&#xa0;: supprimez-le, et Nimbus Desk en crée un nouveau au prochain démarrage.</translation>
    </message>
    <message>
        <source>Some topics could not be read from the structure file:</source>
        <translation>Certains sujets n’ont pas pu être lus dans le fichier de structure&#xa0;:</translation>
    </message>
    <message>
        <source>The main log lists every problem.</source>
        <translation>Le journal principal énumère chaque problème.</translation>
    </message>
</context>
<context>
    <name>nimbus::store</name>
    <message>
        <source>it could not be read to its end: %1</source>
        <translation>il n’a pas pu être lu jusqu’au bout&#xa0;: %1</translation>
    </message>
    <message>
        <source>it is written in UTF-16, not as 8-bit text</source>
        <translation>il est écrit en UTF-16, et non en texte 8 bits</translation>
    </message>
    <message>
        <source>Lines without &quot;=&quot; were ignored, the first (line %1)</source>
        <translation>Des lignes sans «&#xa0;=&#xa0;» ont été ignorées, la première (ligne %1)</translation>
    </message>
    <message>
        <source>The topic (line %1) has no level; it is kept at level %2</source>
        <translation>Le sujet (ligne %1) n’a pas de niveau&#xa0;; il est gardé au niveau %2</translation>
    </message>
    <message>
        <source>The topic (line %1) with the repeated id %2 now has the id %3</source>
        <translation>Le sujet (ligne %1) à l’identifiant répété %2 a maintenant l’identifiant %3</translation>
    </message>
    <message>
        <source>The topic (line %1) has the level &quot;%2&quot;, which is not a level (line %3); it is kept at level %4</source>
        <translation>Le sujet (ligne %1) a le niveau «&#xa0;%2&#xa0;», qui n’est pas un niveau (ligne %3)&#xa0;; il est gardé au niveau %4</translation>
    </message>
    <message>
        <source>The structure file could not be read: %1. It is left as it is and nothing is saved over it.</source>
        <translation>Le fichier de structure n’a pas pu être lu&#xa0;: %1. Il est laissé tel quel et rien n’est enregistré par-dessus.</translation>
    </message>
    <message>
        <source>The structure file ends in the middle of a line: it was cut short, and the last topic may be incomplete</source>
        <translation>Le fichier de structure s’arrête au milieu d’une ligne&#xa0;: il a été tronqué, et le dernier sujet est peut-être incomplet</translation>
    </message>
</context>
<context>
    <name>nimbus::summary</name>
    <message>
        <source>Deadlines: </source>
        <translation>Échéances&#xa0;: </translation>
    </message>
    <message>
        <source>Urgent: </source>
        <translation>Urgent&#xa0;: </translation>
    </message>
    <message>
        <source>Overdue: </source>
        <translation>En retard&#xa0;: </translation>
    </message>
    <message>
        <source>Events: </source>
        <translation>Événements&#xa0;: </translation>
    </message>
    <message>
        <source>In progress: </source>
        <translation>En cours&#xa0;: </translation>
    </message>
    <message>
        <source>New: </source>
        <translation>Nouveaux&#xa0;: </translation>
    </message>
    <message>
        <source>Changes: </source>
        <translation>Modifiés&#xa0;: </translation>
    </message>
    <message>
        <source>Favourites: </source>
        <translation>Favoris&#xa0;: </translation>
    </message>
    <message>
        <source>Waiting: </source>
        <translation>En attente&#xa0;: </translation>
    </message>
    <message>
        <source>Deadlines next 2 weeks</source>
        <translation>Échéances des 2 prochaines semaines</translation>
    </message>
    <message>
        <source>Urgent</source>
        <translation>Urgent</translation>
    </message>
    <message>
        <source>Overdue</source>
        <translation>En retard</translation>
    </message>
    <message>
        <source>Events next 2 weeks</source>
        <translation>Événements des 2 prochaines semaines</translation>
    </message>
    <message>
        <source>In progress</source>
        <translation>En cours</translation>
    </message>
    <message>
        <source>New topics</source>
        <translation>Nouveaux sujets</translation>
    </message>
    <message>
        <source>Changed topics</source>
        <translation>Sujets modifiés</translation>
    </message>
    <message>
        <source>Favourites</source>
        <translation>Favoris</translation>
    </message>
    <message>
        <source>Tasks waiting</source>
        <translation>Tâches en attente</translation>
    </message>
    <message>
        <source>Task deadlines in the next six weeks</source>
        <translation>Échéances des tâches des six prochaines semaines</translation>
    </message>
    <message>
        <source>Urgent topics</source>
        <translation>Sujets urgents</translation>
    </message>
    <message>
        <source>Tasks overdue</source>
        <translation>Tâches en retard</translation>
    </message>
    <message>
        <source>Events in the next six weeks</source>
        <translation>Événements des six prochaines semaines</translation>
    </message>
    <message>
        <source>Tasks in progress</source>
        <translation>Tâches en cours</translation>
    </message>
    <message>
        <source>Recent new topics - latest first</source>
        <translation>Nouveaux sujets récents – les plus récents d’abord</translation>
    </message>
    <message>
        <source>Recent changes - latest first</source>
        <translation>Modifications récentes – les plus récentes d’abord</translation>
    </message>
</context>
<context>
    <name>nimbus::summarypage::SummaryPage</name>
    <message>
        <source>Saved searches</source>
        <translation>Recherches enregistrées</translation>
    </message>
    <message>
        <source>Show Summary</source>
        <translation>Afficher le résumé</translation>
    </message>
    <message>
        <source>Click a badge to list its topics; click the sky to close</source>
        <translation>Cliquez sur un badge pour lister ses sujets&#xa0;; cliquez sur le ciel pour fermer</translation>
    </message>
</context>
<context>
    <name>nimbus::viewer</name>
    <message>
        <source>text</source>
        <translation>texte</translation>
    </message>
    <message>
        <source>number</source>
        <translation>nombre</translation>
    </message>
    <message>
        <source>date - dd/mm/yy or dd/mm/yyyy</source>
        <translation>date – dd/mm/yy ou dd/mm/yyyy</translation>
    </message>
    <message>
        <source>date - mm/dd/yy or mm/dd/yyyy</source>
        <translation>date – mm/dd/yy ou mm/dd/yyyy</translation>
    </message>
    <message>
        <source>date - yy/mm/dd or yyyy/mm/dd</source>
        <translation>date – yy/mm/dd ou yyyy/mm/dd</translation>
    </message>
    <message>
        <source>date - yyyymmdd</source>
        <translation>date – yyyymmdd</translation>
    </message>
</context>
<context>
    <name>nimbus::viewer::TFileDisplayColumnForm</name>
    <message>
        <source>File Display - Column Details</source>
        <translation>Affichage du fichier – détails de la colonne</translation>
    </message>
    <message>
        <source>Column heading text</source>
        <translation>Texte de l’en-tête de colonne</translation>
    </message>
    <message>
        <source> Column Display </source>
        <translation> Affichage de la colonne </translation>
    </message>
    <message>
        <source>visible</source>
        <translation>visible</translation>
    </message>
    <message>
        <source>hidden</source>
        <translation>masquée</translation>
    </message>
    <message>
        <source> Data type for sorting </source>
        <translation> Type de données pour le tri </translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>nimbus::viewer::TFormSelectVersion</name>
    <message>
        <source>File versions</source>
        <translation>Versions du fichier</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <source>Date/time</source>
        <translation>Date/heure</translation>
    </message>
    <message>
        <source>Display</source>
        <translation>Afficher</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>nimbus::viewer::TformFileDisplayOptions</name>
    <message>
        <source>Select file</source>
        <translation>Choisir un fichier</translation>
    </message>
    <message>
        <source>File Display Options</source>
        <translation>Options d’affichage du fichier</translation>
    </message>
    <message>
        <source>These options enable you to customise the way this file is displayed whenever you look at it</source>
        <translation>Ces options permettent de choisir comment ce fichier est affiché chaque fois que vous le consultez</translation>
    </message>
    <message>
        <source>Always open the file at the end </source>
        <translation>Toujours ouvrir le fichier à la fin </translation>
    </message>
    <message>
        <source>The file has columns</source>
        <translation>Le fichier a des colonnes</translation>
    </message>
    <message>
        <source>Column headings are in the first line</source>
        <translation>Les en-têtes de colonne sont sur la première ligne</translation>
    </message>
    <message>
        <source>Always open the file sorted by this column</source>
        <translation>Toujours ouvrir le fichier trié selon cette colonne</translation>
    </message>
    <message>
        <source>Show table rotated</source>
        <translation>Afficher le tableau pivoté</translation>
    </message>
    <message>
        <source>Get column headings from a file:</source>
        <translation>Prendre les en-têtes de colonne dans un fichier&#xa0;:</translation>
    </message>
    <message>
        <source>Show template fields</source>
        <translation>Afficher les champs du modèle</translation>
    </message>
    <message>
        <source>Text size:</source>
        <translation>Taille du texte&#xa0;:</translation>
    </message>
    <message>
        <source>Column Details</source>
        <translation>Détails des colonnes</translation>
    </message>
    <message>
        <source>Data type</source>
        <translation>Type de données</translation>
    </message>
    <message>
        <source>Display</source>
        <translation>Afficher</translation>
    </message>
    <message>
        <source>Reset column details</source>
        <translation>Réinitialiser les détails des colonnes</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>visible</source>
        <translation>visible</translation>
    </message>
    <message>
        <source>hidden</source>
        <translation>masquée</translation>
    </message>
    <message>
        <source>All Files (*.*)</source>
        <translation>Tous les fichiers (*.*)</translation>
    </message>
</context>
</TS>
