<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
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
        <source>Skip</source>
        <translation>Ignorer</translation>
    </message>
    <message>
        <source>Undo history ...</source>
        <translation>Historique des modifications…</translation>
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
