<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="nl_NL">
<context>
    <name>AppChooser</name>
    <message>
        <source>Open with</source>
        <translation>Openen met</translation>
    </message>
    <message>
        <source>Choose the program to open this file with:
%1</source>
        <translation>Kies het programma waarmee u dit bestand wilt openen:
%1</translation>
    </message>
    <message>
        <source>Programs</source>
        <translation>Programma&apos;s</translation>
    </message>
</context>
<context>
    <name>Check</name>
    <message>
        <source>missing</source>
        <translation>ontbreekt</translation>
    </message>
    <message>
        <source>extra</source>
        <translation>overbodig</translation>
    </message>
    <message>
        <source>same</source>
        <translation>gelijk</translation>
    </message>
    <message>
        <source>access-keys</source>
        <translation>toegangstoetsen</translation>
    </message>
    <message>
        <source>placeholders</source>
        <translation>plaatshouders</translation>
    </message>
    <message>
        <source>spaces</source>
        <translation>spaties</translation>
    </message>
    <message>
        <source>punctuation</source>
        <translation>leestekens</translation>
    </message>
    <message>
        <source>line-breaks</source>
        <translation>regeleinden</translation>
    </message>
    <message>
        <source>moves-at-save</source>
        <translation>verschuift-bij-opslaan</translation>
    </message>
    <message>
        <source>Untranslated rows</source>
        <translation>Onvertaalde rijen</translation>
    </message>
    <message>
        <source>Rows the reference does not use</source>
        <translation>Rijen die de referentie niet gebruikt</translation>
    </message>
    <message>
        <source>Rows the same as the reference</source>
        <translation>Rijen gelijk aan de referentie</translation>
    </message>
    <message>
        <source>Access keys (&amp;)</source>
        <translation>Toegangstoetsen (&amp;)</translation>
    </message>
    <message>
        <source>Placeholders (%1, %s, {0})</source>
        <translation>Plaatshouders (%1, %s, {0})</translation>
    </message>
    <message>
        <source>Leading and trailing spaces</source>
        <translation>Spaties aan begin en einde</translation>
    </message>
    <message>
        <source>Final punctuation</source>
        <translation>Leesteken aan het einde</translation>
    </message>
    <message>
        <source>Line breaks</source>
        <translation>Regeleinden</translation>
    </message>
    <message>
        <source>Rows that move when the form is stored</source>
        <translation>Rijen die verschuiven als het formulier wordt opgeslagen</translation>
    </message>
    <message>
        <source>numbers</source>
        <translation>getallen</translation>
    </message>
    <message>
        <source>tabs</source>
        <translation>tabs</translation>
    </message>
    <message>
        <source>capitals</source>
        <translation>hoofdletters</translation>
    </message>
    <message>
        <source>brackets</source>
        <translation>haakjes</translation>
    </message>
    <message>
        <source>double-words</source>
        <translation>dubbele-woorden</translation>
    </message>
    <message>
        <source>double-spaces</source>
        <translation>dubbele-spaties</translation>
    </message>
    <message>
        <source>urls</source>
        <translation>adressen</translation>
    </message>
    <message>
        <source>tags</source>
        <translation>tags</translation>
    </message>
    <message>
        <source>encoding</source>
        <translation>tekenset</translation>
    </message>
    <message>
        <source>consistency</source>
        <translation>consistentie</translation>
    </message>
    <message>
        <source>length</source>
        <translation>lengte</translation>
    </message>
    <message>
        <source>spelling</source>
        <translation>spelling</translation>
    </message>
    <message>
        <source>Numbers</source>
        <translation>Getallen</translation>
    </message>
    <message>
        <source>Tabs</source>
        <translation>Tabs</translation>
    </message>
    <message>
        <source>Capital at the start</source>
        <translation>Hoofdletter aan het begin</translation>
    </message>
    <message>
        <source>Brackets</source>
        <translation>Haakjes</translation>
    </message>
    <message>
        <source>Repeated words</source>
        <translation>Herhaalde woorden</translation>
    </message>
    <message>
        <source>Double spaces</source>
        <translation>Dubbele spaties</translation>
    </message>
    <message>
        <source>Web and e-mail addresses</source>
        <translation>Web- en e-mailadressen</translation>
    </message>
    <message>
        <source>XML and HTML tags</source>
        <translation>XML- en HTML-tags</translation>
    </message>
    <message>
        <source>Characters a language file cannot store</source>
        <translation>Tekens die een taalbestand niet kan opslaan</translation>
    </message>
    <message>
        <source>One text translated two ways</source>
        <translation>Eén tekst op twee manieren vertaald</translation>
    </message>
    <message>
        <source>Much longer than the reference</source>
        <translation>Veel langer dan de referentie</translation>
    </message>
    <message>
        <source>Spelling</source>
        <translation>Spelling</translation>
    </message>
    <message>
        <source>changed</source>
        <translation>gewijzigd</translation>
    </message>
    <message>
        <source>Reference texts changed since translated</source>
        <translation>Referentieteksten gewijzigd sinds de vertaling</translation>
    </message>
    <message>
        <source>glossary</source>
        <translation>woordenlijst</translation>
    </message>
    <message>
        <source>Terms of the glossary</source>
        <translation>Termen van de woordenlijst</translation>
    </message>
</context>
<context>
    <name>EditingDialog</name>
    <message>
        <source>Cancel</source>
        <translation>Annuleren</translation>
    </message>
</context>
<context>
    <name>ErrorTrap</name>
    <message>
        <source>An error occured while executing a function.<byte value="xd"/>
Please report the error code on our website.<byte value="xd"/>
<byte value="xd"/>
</source>
        <translation>Er is een fout opgetreden bij het uitvoeren van een functie.<byte value="xd"/>
Meld de foutcode op onze website.<byte value="xd"/>
<byte value="xd"/>
</translation>
    </message>
</context>
<context>
    <name>FileSetting</name>
    <message>
        <source>Application</source>
        <translation>Toepassing</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Versie</translation>
    </message>
    <message>
        <source>Author</source>
        <translation>Auteur</translation>
    </message>
    <message>
        <source>Revision</source>
        <translation>Revisie</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
</context>
<context>
    <name>FindAll</name>
    <message>
        <source>Form %1, row %2</source>
        <translation>Formulier %1, rij %2</translation>
    </message>
    <message>
        <source>Name of form %1</source>
        <translation>Naam van formulier %1</translation>
    </message>
    <message>
        <source>Reference: %1</source>
        <translation>Referentie: %1</translation>
    </message>
</context>
<context>
    <name>FindAllDialog</name>
    <message>
        <source>Find in all forms</source>
        <translation>Zoeken in alle formulieren</translation>
    </message>
    <message>
        <source>&amp;Find:</source>
        <translation>&amp;Zoeken naar:</translation>
    </message>
    <message>
        <source>&amp;Match case</source>
        <translation>&amp;Hoofdlettergevoelig</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Zoeken</translation>
    </message>
    <message>
        <source>Found texts</source>
        <translation>Gevonden teksten</translation>
    </message>
    <message>
        <source>Where</source>
        <translation>Waar</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Tekst</translation>
    </message>
</context>
<context>
    <name>Glossary</name>
    <message>
        <source>&quot;%1&quot; is kept as written, by the glossary</source>
        <translation>&quot;%1&quot; blijft zoals geschreven, volgens de woordenlijst</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is &quot;%2&quot; in the glossary</source>
        <translation>&quot;%1&quot; is &quot;%2&quot; in de woordenlijst</translation>
    </message>
</context>
<context>
    <name>LanguageFile</name>
    <message>
        <source>Error during loading!<byte value="xd"/>
The language file could not be opened</source>
        <translation>Fout bij het laden!<byte value="xd"/>
Het taalbestand kon niet worden geopend</translation>
    </message>
    <message>
        <source>Error during loading #03</source>
        <translation>Fout bij het laden #03</translation>
    </message>
    <message>
        <source>An error occured while saving the languagefile</source>
        <translation>Er is een fout opgetreden bij het opslaan van het taalbestand</translation>
    </message>
    <message>
        <source>no file name</source>
        <translation>geen bestandsnaam</translation>
    </message>
    <message>
        <source>is a folder</source>
        <translation>is een map</translation>
    </message>
    <message>
        <source>is not a regular file</source>
        <translation>is geen gewoon bestand</translation>
    </message>
    <message>
        <source>cannot be opened for reading</source>
        <translation>kan niet worden geopend om te lezen</translation>
    </message>
    <message>
        <source>is not a language file: it is shorter than a record count</source>
        <translation>is geen taalbestand: het is korter dan een aantal records</translation>
    </message>
    <message>
        <source>is not a language file: its record count is %1</source>
        <translation>is geen taalbestand: het aantal records is %1</translation>
    </message>
    <message>
        <source>is not a language file: it ends inside its first record</source>
        <translation>is geen taalbestand: het eindigt binnen het eerste record</translation>
    </message>
</context>
<context>
    <name>LanguageFormat</name>
    <message>
        <source>The name of form %1</source>
        <translation>De naam van formulier %1</translation>
    </message>
    <message>
        <source>The %1 setting</source>
        <translation>De instelling %1</translation>
    </message>
    <message>
        <source>Row %1 of the file settings</source>
        <translation>Rij %1 van de bestandsinstellingen</translation>
    </message>
    <message>
        <source>Row %1 of form %2</source>
        <translation>Rij %1 van formulier %2</translation>
    </message>
    <message>
        <source>The form names</source>
        <translation>De formuliernamen</translation>
    </message>
    <message>
        <source>The file settings</source>
        <translation>De bestandsinstellingen</translation>
    </message>
    <message>
        <source>The texts of form %1</source>
        <translation>De teksten van formulier %1</translation>
    </message>
    <message>
        <source>Shorten some form names</source>
        <translation>Maak enkele formuliernamen korter</translation>
    </message>
    <message>
        <source>Shorten the file settings</source>
        <translation>Maak de bestandsinstellingen korter</translation>
    </message>
    <message>
        <source>Shorten or delete rows of this form</source>
        <translation>Maak rijen van dit formulier korter of verwijder ze</translation>
    </message>
    <message>
        <source>%1 take %2 bytes, more than the %3 bytes that one table of a language file can hold.<byte value="xd"/>
%4, then save again.</source>
        <translation>%1 nemen %2 bytes in, meer dan de %3 bytes die één tabel van een taalbestand kan bevatten.<byte value="xd"/>
%4 en sla daarna opnieuw op.</translation>
    </message>
    <message>
        <source>a language file</source>
        <translation>een taalbestand</translation>
    </message>
    <message>
        <source>the code file</source>
        <translation>het codebestand</translation>
    </message>
    <message>
        <source>save</source>
        <translation>opslaan</translation>
    </message>
    <message>
        <source>save as code</source>
        <translation>opslaan als code</translation>
    </message>
    <message>
        <source>%1 holds the character %2, which %3 cannot store.<byte value="xd"/>
Replace it with another character, then %4 again.</source>
        <translation>%1 bevat het teken %2, dat %3 niet kan opslaan.<byte value="xd"/>
Vervang het door een ander teken en kies daarna opnieuw %4.</translation>
    </message>
</context>
<context>
    <name>LanguageSession</name>
    <message>
        <source>The review beside this file, %1, cannot be read (%2). It was moved to %3; the file opens without it.</source>
        <translation>De beoordeling naast dit bestand, %1, kan niet worden gelezen (%2). Ze is verplaatst naar %3; het bestand wordt zonder geopend.</translation>
    </message>
    <message>
        <source>The review beside this file, %1, cannot be read (%2), nor moved aside (%3); the file opens without it, and a save replaces it.</source>
        <translation>De beoordeling naast dit bestand, %1, kan niet worden gelezen (%2) en ook niet opzij worden gezet (%3); het bestand wordt zonder geopend, en opslaan vervangt haar.</translation>
    </message>
    <message>
        <source>New text</source>
        <translation>Nieuwe tekst</translation>
    </message>
    <message>
        <source>Edit text</source>
        <translation>Tekst bewerken</translation>
    </message>
    <message>
        <source>Insert text</source>
        <translation>Tekst invoegen</translation>
    </message>
    <message>
        <source>Delete text</source>
        <translation>Tekst verwijderen</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Vervangen</translation>
    </message>
    <message>
        <source>Edit form</source>
        <translation>Formulier bewerken</translation>
    </message>
    <message>
        <source>Typing in %1</source>
        <translation>Typen in %1</translation>
    </message>
    <message>
        <source>Select form</source>
        <translation>Formulier kiezen</translation>
    </message>
</context>
<context>
    <name>MemorySession</name>
    <message>
        <source>The translation memory: %1.</source>
        <translation>Het vertaalgeheugen: %1.</translation>
    </message>
    <message>
        <source>Set the language of the reference in Reference &gt; Language of the reference, and this file&apos;s in Reference &gt; Spelling language, to get suggestions from the translation memory and the changed check.</source>
        <translation>Kies de taal van de referentie in Referentie &gt; Taal van de referentie, en die van dit bestand in Referentie &gt; Spellingtaal, voor suggesties uit het vertaalgeheugen en de controle gewijzigd.</translation>
    </message>
    <message>
        <source>Set the language of the reference in Reference &gt; Language of the reference to get suggestions from the translation memory and the changed check.</source>
        <translation>Kies de taal van de referentie in Referentie &gt; Taal van de referentie voor suggesties uit het vertaalgeheugen en de controle gewijzigd.</translation>
    </message>
    <message>
        <source>Set the language of this file in Reference &gt; Spelling language to get suggestions from the translation memory and the changed check.</source>
        <translation>Kies de taal van dit bestand in Referentie &gt; Spellingtaal voor suggesties uit het vertaalgeheugen en de controle gewijzigd.</translation>
    </message>
    <message>
        <source>The translation memory cannot be written: %1.</source>
        <translation>Het vertaalgeheugen kan niet worden geschreven: %1.</translation>
    </message>
    <message>
        <source>%1. Until it can be, suggestions come from the memory on this computer, which keeps what is learnt and hands it to the server then.</source>
        <translation>%1. Tot dan komen de suggesties uit het geheugen op deze computer, dat bewaart wat er geleerd wordt en het dan aan de server geeft.</translation>
    </message>
    <message>
        <source>The translation memory on %1 can be reached again.</source>
        <translation>Het vertaalgeheugen op %1 is weer bereikbaar.</translation>
    </message>
    <message>
        <source>The translation memory on %1 can be reached again, and has the unit learnt meanwhile.</source>
        <translation>Het vertaalgeheugen op %1 is weer bereikbaar en heeft de intussen geleerde eenheid gekregen.</translation>
    </message>
    <message>
        <source>The translation memory on %1 can be reached again, and has the %2 units learnt meanwhile.</source>
        <translation>Het vertaalgeheugen op %1 is weer bereikbaar en heeft de %2 intussen geleerde eenheden gekregen.</translation>
    </message>
    <message>
        <source>the translation memory is not open</source>
        <translation>het vertaalgeheugen is niet geopend</translation>
    </message>
    <message>
        <source>the team&apos;s server cannot be reached, and its glossary is changed only there</source>
        <translation>de server van het team is niet bereikbaar, en de woordenlijst wordt alleen daar gewijzigd</translation>
    </message>
</context>
<context>
    <name>QL_Core</name>
    <message>
        <source>Acce&amp;pt the problems of this row</source>
        <translation>De problemen van deze rij aan&amp;vaarden</translation>
    </message>
    <message>
        <source>Mark re&amp;viewed and go to the next</source>
        <translation>Be&amp;oordeeld markeren en naar de volgende</translation>
    </message>
    <message>
        <source>Nothing left to review.</source>
        <translation>Niets meer te beoordelen.</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Bestand</translation>
    </message>
    <message>
        <source>New file</source>
        <translation>Nieuw bestand</translation>
    </message>
    <message>
        <source>Open file</source>
        <translation>Bestand openen</translation>
    </message>
    <message>
        <source>Save file</source>
        <translation>Bestand opslaan</translation>
    </message>
    <message>
        <source>Save file as ...</source>
        <translation>Bestand opslaan als ...</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Afsluiten</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>Be&amp;werken</translation>
    </message>
    <message>
        <source>New text</source>
        <translation>Nieuwe tekst</translation>
    </message>
    <message>
        <source>Edit text</source>
        <translation>Tekst bewerken</translation>
    </message>
    <message>
        <source>Insert text</source>
        <translation>Tekst invoegen</translation>
    </message>
    <message>
        <source>Delete text</source>
        <translation>Tekst verwijderen</translation>
    </message>
    <message>
        <source>Search and replace</source>
        <translation>Zoeken en vervangen</translation>
    </message>
    <message>
        <source>&amp;Extra</source>
        <translation>E&amp;xtra</translation>
    </message>
    <message>
        <source>Save as code</source>
        <translation>Opslaan als code</translation>
    </message>
    <message>
        <source>&amp;Information</source>
        <translation>&amp;Informatie</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Over</translation>
    </message>
    <message>
        <source>Visit our website</source>
        <translation>Naar onze website</translation>
    </message>
    <message>
        <source>Form:</source>
        <translation>Formulier:</translation>
    </message>
    <message>
        <source>Row:</source>
        <translation>Rij:</translation>
    </message>
    <message>
        <source>Language file settings:</source>
        <translation>Instellingen van het taalbestand:</translation>
    </message>
    <message>
        <source>Filename:</source>
        <translation>Bestand:</translation>
    </message>
    <message>
        <source>Application:</source>
        <translation>Toepassing:</translation>
    </message>
    <message>
        <source>Author:</source>
        <translation>Auteur:</translation>
    </message>
    <message>
        <source>Revision:</source>
        <translation>Revisie:</translation>
    </message>
    <message>
        <source>Date:</source>
        <translation>Dat.:</translation>
    </message>
    <message>
        <source>Form names: (double click to edit)</source>
        <translation>Formulieren: (dubbelklik om te wijzigen)</translation>
    </message>
    <message>
        <source>Text in this form: (double click to edit)</source>
        <translation>Tekst in dit formulier: (dubbelklik om te wijzigen)</translation>
    </message>
    <message>
        <source>&amp;Reference</source>
        <translation>&amp;Referentie</translation>
    </message>
    <message>
        <source>Open a reference language file:</source>
        <translation>Open een referentietaalbestand:</translation>
    </message>
    <message>
        <source>*.LSF format|*.lsf</source>
        <translation>*.LSF-bestanden|*.lsf</translation>
    </message>
    <message>
        <source>The reference %1 cannot be read: %2.</source>
        <translation>De referentie %1 kan niet worden gelezen: %2.</translation>
    </message>
    <message>
        <source>Nothing left to translate.</source>
        <translation>Er valt niets meer te vertalen.</translation>
    </message>
    <message>
        <source>Filename: </source>
        <translation>Bestandsnaam: </translation>
    </message>
    <message>
        <source>The file that is currently opened is not saved yet.<byte value="xd"/>
If you close the program without saving all changes will be lost!<byte value="xd"/>
<byte value="xd"/>
Are you sure that you want to exit the program?</source>
        <translation>Het geopende bestand is nog niet opgeslagen.<byte value="xd"/>
Als u het programma sluit zonder op te slaan, gaan alle wijzigingen verloren!<byte value="xd"/>
<byte value="xd"/>
Weet u zeker dat u het programma wilt afsluiten?</translation>
    </message>
    <message>
        <source>File is not saved yet!</source>
        <translation>Bestand is nog niet opgeslagen!</translation>
    </message>
    <message>
        <source>Form: </source>
        <translation>Formulier: </translation>
    </message>
    <message>
        <source>Row: </source>
        <translation>Rij: </translation>
    </message>
    <message>
        <source>Inserting a row will affect the layout of the language file.<byte value="xd"/>
Are you sure that you want to insert a new row?</source>
        <translation>Een rij invoegen verandert de indeling van het taalbestand.<byte value="xd"/>
Weet u zeker dat u een nieuwe rij wilt invoegen?</translation>
    </message>
    <message>
        <source>Deleting a row will affect the layout of the language file.<byte value="xd"/>
Are you sure that you want to delete this row?</source>
        <translation>Een rij verwijderen verandert de indeling van het taalbestand.<byte value="xd"/>
Weet u zeker dat u deze rij wilt verwijderen?</translation>
    </message>
    <message>
        <source>Start a new file</source>
        <translation>Een nieuw bestand beginnen</translation>
    </message>
    <message>
        <source>Open an exisiting file</source>
        <translation>Een bestaand bestand openen</translation>
    </message>
    <message>
        <source>Save this file</source>
        <translation>Dit bestand opslaan</translation>
    </message>
    <message>
        <source>Add a new row to the form</source>
        <translation>Een nieuwe rij aan het formulier toevoegen</translation>
    </message>
    <message>
        <source>Delete the selected row</source>
        <translation>De gekozen rij verwijderen</translation>
    </message>
    <message>
        <source>Edit the selected row</source>
        <translation>De gekozen rij bewerken</translation>
    </message>
    <message>
        <source>Search and replace in the selected form</source>
        <translation>Zoeken en vervangen in het gekozen formulier</translation>
    </message>
    <message>
        <source>The file %1 cannot be found or opened.<byte value="xd"/>
It is removed from the list of recent files.</source>
        <translation>Het bestand %1 is niet gevonden of kan niet worden geopend.<byte value="xd"/>
Het is verwijderd uit de lijst met recente bestanden.</translation>
    </message>
    <message>
        <source>The changes in this file are not saved yet.<byte value="xd"/>
Are you sure that you want to open another file?</source>
        <translation>De wijzigingen in dit bestand zijn nog niet opgeslagen.<byte value="xd"/>
Weet u zeker dat u een ander bestand wilt openen?</translation>
    </message>
    <message>
        <source>Changes are not saved yet.<byte value="xd"/>
Are you sure that you want to start a new file?</source>
        <translation>Wijzigingen zijn nog niet opgeslagen.<byte value="xd"/>
Weet u zeker dat u een nieuw bestand wilt beginnen?</translation>
    </message>
    <message>
        <source>Open an existing language file:</source>
        <translation>Open een bestaand taalbestand:</translation>
    </message>
    <message>
        <source>The languagefile has been saved.</source>
        <translation>Het taalbestand is opgeslagen.</translation>
    </message>
    <message>
        <source>Changes are not saved yet.<byte value="xd"/>
Are you sure that you want to exit the program?</source>
        <translation>Wijzigingen zijn nog niet opgeslagen.<byte value="xd"/>
Weet u zeker dat u het programma wilt afsluiten?</translation>
    </message>
    <message>
        <source>Version: </source>
        <translation>Versie: </translation>
    </message>
    <message>
        <source>Release date: 01-06-05<byte value="xd"/>
</source>
        <translation>Publicatiedatum: 01-06-05<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>File name</source>
        <translation>Bestandsnaam</translation>
    </message>
    <message>
        <source>Application</source>
        <translation>Toepassing</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Versie</translation>
    </message>
    <message>
        <source>Author</source>
        <translation>Auteur</translation>
    </message>
    <message>
        <source>Revision</source>
        <translation>Revisie</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Form names</source>
        <translation>Formuliernamen</translation>
    </message>
    <message>
        <source>Text in this form</source>
        <translation>Tekst in dit formulier</translation>
    </message>
    <message>
        <source>%1 times the reference and 10 characters</source>
        <translation>%1 keer de referentie en 10 tekens</translation>
    </message>
    <message>
        <source>No dictionary for %1: the spelling is not checked.</source>
        <translation>Geen woordenboek voor %1: de spelling wordt niet gecontroleerd.</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Geen</translation>
    </message>
    <message>
        <source>The spelling cannot be checked in %1: %2.</source>
        <translation>De spelling kan niet worden gecontroleerd in %1: %2.</translation>
    </message>
    <message>
        <source>The word %1 cannot be added to the dictionary %2: %3.</source>
        <translation>Het woord %1 kan niet worden toegevoegd aan het woordenboek %2: %3.</translation>
    </message>
    <message>
        <source>Pre-translate</source>
        <translation>Voorvertalen</translation>
    </message>
    <message>
        <source>Nothing to pre-translate.</source>
        <translation>Er valt niets voor te vertalen.</translation>
    </message>
    <message>
        <source>Form %1, row %2: the translation %3</source>
        <translation>Formulier %1, rij %2: de vertaling %3</translation>
    </message>
    <message>
        <source>These rows were left empty, since a language file cannot hold the memory&apos;s translation:</source>
        <translation>Deze rijen zijn leeg gelaten, omdat een taalbestand de vertaling uit het vertaalgeheugen niet kan bevatten:</translation>
    </message>
    <message>
        <source>Your own words are not used: %1.</source>
        <translation>Uw eigen woorden worden niet gebruikt: %1.</translation>
    </message>
    <message>
        <source>&amp;Open reference ...</source>
        <translation>&amp;Referentie openen ...</translation>
    </message>
    <message>
        <source>&amp;Close reference</source>
        <translation>Referentie &amp;sluiten</translation>
    </message>
    <message>
        <source>&amp;Next problem</source>
        <translation>&amp;Volgend probleem</translation>
    </message>
    <message>
        <source>&amp;Previous problem</source>
        <translation>V&amp;orig probleem</translation>
    </message>
    <message>
        <source>S&amp;tore and go to the next row</source>
        <translation>Opslaan en naar de volgende ri&amp;j</translation>
    </message>
    <message>
        <source>Copy reference te&amp;xt</source>
        <translation>Referentietekst &amp;kopiëren</translation>
    </message>
    <message>
        <source>Copy reference s&amp;hortcut</source>
        <translation>Snel&amp;toets van de referentie kopiëren</translation>
    </message>
    <message>
        <source>Ne&amp;w translation from this reference</source>
        <translation>&amp;Nieuwe vertaling van deze referentie</translation>
    </message>
    <message>
        <source>&amp;Find in all forms ...</source>
        <translation>&amp;Zoeken in alle formulieren ...</translation>
    </message>
    <message>
        <source>Chec&amp;ks</source>
        <translation>&amp;Controles</translation>
    </message>
    <message>
        <source>Spe&amp;lling language</source>
        <translation>S&amp;pellingtaal</translation>
    </message>
    <message>
        <source>Spell na&amp;mes and codes too (EGID, PackageKit)</source>
        <translation>Ook na&amp;men en codes spellen (EGID, PackageKit)</translation>
    </message>
    <message>
        <source>Lan&amp;guage of the reference</source>
        <translation>T&amp;aal van de referentie</translation>
    </message>
    <message>
        <source>Longest tr&amp;anslation</source>
        <translation>&amp;Langste vertaling</translation>
    </message>
    <message>
        <source>Pre-translat&amp;e</source>
        <translation>Voorv&amp;ertalen</translation>
    </message>
    <message>
        <source>Take suggestion &amp;%1</source>
        <translation>Suggestie &amp;%1 overnemen</translation>
    </message>
    <message>
        <source>Translation memo&amp;ry ...</source>
        <translation>Vertaal&amp;geheugen ...</translation>
    </message>
    <message>
        <source>Translation memory</source>
        <translation>Vertaalgeheugen</translation>
    </message>
    <message>
        <source>The translation memory: a file, or the address of a PostgreSQL server a team shares (postgresql://host/database). Empty for your own, %1.</source>
        <translation>Het vertaalgeheugen: een bestand, of het adres van een PostgreSQL-server die een team deelt (postgresql://host/database). Leeg voor uw eigen, %1.</translation>
    </message>
    <message>
        <source>Lexicant keeps no passwords: write the address without it, and the password in ~/.pgpass, PGPASSWORD or a service file.</source>
        <translation>Lexicant bewaart geen wachtwoorden: schrijf het adres zonder wachtwoord, en het wachtwoord in ~/.pgpass, PGPASSWORD of een servicebestand.</translation>
    </message>
    <message>
        <source>Glossar&amp;y</source>
        <translation>Woordenl&amp;ijst</translation>
    </message>
    <message>
        <source>Insert term &amp;%1</source>
        <translation>Term &amp;%1 invoegen</translation>
    </message>
    <message>
        <source>&amp;Add term ...</source>
        <translation>Term &amp;toevoegen ...</translation>
    </message>
    <message>
        <source>The translation memory cannot be opened.</source>
        <translation>Het vertaalgeheugen kan niet worden geopend.</translation>
    </message>
    <message>
        <source>The term cannot be added: %1.</source>
        <translation>De term kan niet worden toegevoegd: %1.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is in the glossary.</source>
        <translation>&quot;%1&quot; staat in de woordenlijst.</translation>
    </message>
    <message>
        <source>Insert term &amp;%1: %2</source>
        <translation>Term &amp;%1 invoegen: %2</translation>
    </message>
    <message>
        <source>kept as written</source>
        <translation>zoals geschreven</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is %2 in the glossary. Make it %3?</source>
        <translation>&quot;%1&quot; is %2 in de woordenlijst. %3 ervan maken?</translation>
    </message>
</context>
<context>
    <name>QL_Edit</name>
    <message>
        <source>Edit</source>
        <translation>Bewerken</translation>
    </message>
    <message>
        <source>Enter a new text or change the existing text in the textfield below. Press save to save the changes.</source>
        <translation>Typ een nieuwe tekst of wijzig de bestaande tekst in het tekstvak hieronder. Klik op Opslaan om de wijzigingen op te slaan.</translation>
    </message>
    <message>
        <source>Text:</source>
        <translation>Tekst:</translation>
    </message>
    <message>
        <source>Preview: </source>
        <translation>Voorbeeld: </translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Opslaan</translation>
    </message>
    <message>
        <source>Reference:</source>
        <translation>Referentie:</translation>
    </message>
    <message>
        <source>Reference</source>
        <translation>Referentie</translation>
    </message>
    <message>
        <source>New text</source>
        <translation>Nieuwe tekst</translation>
    </message>
    <message>
        <source>Edit text</source>
        <translation>Tekst bewerken</translation>
    </message>
</context>
<context>
    <name>QL_Form</name>
    <message>
        <source>Edit form</source>
        <translation>Formulier bewerken</translation>
    </message>
    <message>
        <source>Change the name of the form in the textfield below and press save to save the changes. The form name will not appear the the programm and is for internal use only.</source>
        <translation>Wijzig de naam van het formulier in het tekstvak hieronder en klik op Opslaan. De formuliernaam verschijnt niet in het programma en is alleen voor intern gebruik.</translation>
    </message>
    <message>
        <source>Form name:</source>
        <translation>Formuliernaam:</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Opslaan</translation>
    </message>
</context>
<context>
    <name>QL_Replace</name>
    <message>
        <source>Search and replace</source>
        <translation>Zoeken en vervangen</translation>
    </message>
    <message>
        <source>This search and replace function is case sensitive and will only search and replace words in the form that is currently loaded in the right list. </source>
        <translation>Zoeken en vervangen is hoofdlettergevoelig en werkt alleen in het formulier dat nu in de rechterlijst is geladen. </translation>
    </message>
    <message>
        <source>Search for:</source>
        <translation>Zoeken naar:</translation>
    </message>
    <message>
        <source>Replace with:</source>
        <translation>Vervangen door:</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Vervangen</translation>
    </message>
    <message numerus="yes">
        <source>%n rows are changed.</source>
        <translation><numerusform>%n rij is gewijzigd.</numerusform><numerusform>%n rijen zijn gewijzigd.</numerusform></translation>
    </message>
</context>
<context>
    <name>Recovery</name>
    <message>
        <source>not valid JSON: </source>
        <translation>geen geldige JSON: </translation>
    </message>
    <message>
        <source>not a recovery copy of this version</source>
        <translation>geen herstelkopie van deze versie</translation>
    </message>
    <message>
        <source>its selected form is not 0 to 24</source>
        <translation>het gekozen formulier ligt niet tussen 0 en 24</translation>
    </message>
    <message>
        <source>it holds no document</source>
        <translation>het bevat geen document</translation>
    </message>
    <message>
        <source>the folder %1 cannot be made</source>
        <translation>de map %1 kan niet worden gemaakt</translation>
    </message>
    <message>
        <source>no lock can be taken in %1: %2</source>
        <translation>er kan geen vergrendeling worden genomen in %1: %2</translation>
    </message>
</context>
<context>
    <name>RecoveryController</name>
    <message>
        <source>The recovery copy of this file cannot be written to %1: %2.<byte value="xd"/>
Save the file to keep your changes.</source>
        <translation>De herstelkopie van dit bestand kan niet worden geschreven naar %1: %2.<byte value="xd"/>
Sla het bestand op om uw wijzigingen te bewaren.</translation>
    </message>
    <message>
        <source>The recovery copy %1 cannot be read: %2.<byte value="xd"/>
It has been moved to %3.</source>
        <translation>De herstelkopie %1 kan niet worden gelezen: %2.<byte value="xd"/>
Ze is verplaatst naar %3.</translation>
    </message>
    <message>
        <source>The recovery copy %1 cannot be read: %2.<byte value="xd"/>
It cannot be moved aside either: %3.</source>
        <translation>De herstelkopie %1 kan niet worden gelezen: %2.<byte value="xd"/>
Ze kan ook niet opzij worden gezet: %3.</translation>
    </message>
    <message>
        <source>a new file</source>
        <translation>een nieuw bestand</translation>
    </message>
    <message>
        <source>The recovery copy %1 cannot be %2: %3.<byte value="xd"/>
It will be offered again at the next start.</source>
        <translation>De herstelkopie %1 kan niet worden %2: %3.<byte value="xd"/>
Ze wordt bij de volgende start opnieuw aangeboden.</translation>
    </message>
    <message>
        <source>taken over</source>
        <translation>overgenomen</translation>
    </message>
    <message>
        <source>removed</source>
        <translation>verwijderd</translation>
    </message>
    <message>
        <source>Lexicant ended on %1 without saving the changes to %2.<byte value="xd"/>
A recovery copy of them was kept. Do you want to restore it?</source>
        <translation>Lexicant is op %1 gestopt zonder de wijzigingen in %2 op te slaan.<byte value="xd"/>
Er is een herstelkopie van bewaard. Wilt u die terugzetten?</translation>
    </message>
</context>
<context>
    <name>ReferenceChecks</name>
    <message>
        <source>none</source>
        <translation>geen</translation>
    </message>
    <message>
        <source>the reference has a text here, this file has none</source>
        <translation>de referentie heeft hier een tekst, dit bestand niet</translation>
    </message>
    <message>
        <source>this file has a text here, the reference has none</source>
        <translation>dit bestand heeft hier een tekst, de referentie niet</translation>
    </message>
    <message>
        <source>the text is the same as the reference&apos;s</source>
        <translation>de tekst is gelijk aan die van de referentie</translation>
    </message>
    <message>
        <source>%1 &quot;&amp;&quot; access keys, the reference %2</source>
        <translation>%1 toegangstoetsen &quot;&amp;&quot;, de referentie %2</translation>
    </message>
    <message>
        <source>placeholders %1, the reference %2</source>
        <translation>plaatshouders %1, de referentie %2</translation>
    </message>
    <message>
        <source>leading or trailing spaces differ from the reference&apos;s</source>
        <translation>spaties aan begin of einde wijken af van die van de referentie</translation>
    </message>
    <message>
        <source>ends with %1, the reference with %2</source>
        <translation>eindigt op %1, de referentie op %2</translation>
    </message>
    <message>
        <source>%1 line breaks, the reference %2</source>
        <translation>%1 regeleinden, de referentie %2</translation>
    </message>
    <message>
        <source>stored as row %1, the commit moves it to row %2</source>
        <translation>opgeslagen als rij %1, bij het vastleggen verschuift ze naar rij %2</translation>
    </message>
    <message>
        <source>translated as &quot;%1&quot; in form %2, row %3</source>
        <translation>vertaald als &quot;%1&quot; in formulier %2, rij %3</translation>
    </message>
    <message>
        <source>numbers %1 of the reference are missing</source>
        <translation>getallen %1 van de referentie ontbreken</translation>
    </message>
    <message>
        <source>holds the control character %1</source>
        <translation>bevat het stuurteken %1</translation>
    </message>
    <message>
        <source>numbers %1 are not in the reference</source>
        <translation>getallen %1 staan niet in de referentie</translation>
    </message>
    <message>
        <source>%1 tabs, the reference %2</source>
        <translation>%1 tabs, de referentie %2</translation>
    </message>
    <message>
        <source>starts with a small letter, the reference with a capital</source>
        <translation>begint met een kleine letter, de referentie met een hoofdletter</translation>
    </message>
    <message>
        <source>starts with a capital, the reference with a small letter</source>
        <translation>begint met een hoofdletter, de referentie met een kleine letter</translation>
    </message>
    <message>
        <source>%1 &quot;%2&quot;, the reference %3</source>
        <translation>%1 &quot;%2&quot;, de referentie %3</translation>
    </message>
    <message>
        <source>the word &quot;%1&quot; is repeated</source>
        <translation>het woord &quot;%1&quot; staat er twee keer</translation>
    </message>
    <message>
        <source>%1 double spaces, the reference %2</source>
        <translation>%1 dubbele spaties, de referentie %2</translation>
    </message>
    <message>
        <source>addresses %1, the reference %2</source>
        <translation>adressen %1, de referentie %2</translation>
    </message>
    <message>
        <source>tags %1, the reference %2</source>
        <translation>tags %1, de referentie %2</translation>
    </message>
    <message>
        <source>%1 characters, more than %2 times the reference&apos;s %3 and 10</source>
        <translation>%1 tekens, meer dan %2 keer de %3 van de referentie en 10</translation>
    </message>
    <message>
        <source>holds %1, which a language file cannot store</source>
        <translation>bevat %1, dat een taalbestand niet kan opslaan</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not in the dictionary</source>
        <translation>&quot;%1&quot; staat niet in het woordenboek</translation>
    </message>
    <message>
        <source>the reference was &quot;%1&quot; when translated, now &quot;%2&quot;</source>
        <translation>de referentie was &quot;%1&quot; bij het vertalen, nu &quot;%2&quot;</translation>
    </message>
</context>
<context>
    <name>ReferenceDock</name>
    <message>
        <source>Note of this row</source>
        <translation>Notitie bij deze rij</translation>
    </message>
    <message>
        <source>Rows that need review</source>
        <translation>Rijen die beoordeeld moeten worden</translation>
    </message>
    <message>
        <source>Rows not reviewed yet</source>
        <translation>Rijen die nog niet beoordeeld zijn</translation>
    </message>
    <message>
        <source>Rows of</source>
        <translation>Rijen van</translation>
    </message>
    <message>
        <source>This form</source>
        <translation>Dit formulier</translation>
    </message>
    <message>
        <source>All forms</source>
        <translation>Alle formulieren</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>Tonen</translation>
    </message>
    <message>
        <source>All rows</source>
        <translation>Alle rijen</translation>
    </message>
    <message>
        <source>Rows that need work</source>
        <translation>Rijen die werk nodig hebben</translation>
    </message>
    <message>
        <source>Untranslated rows</source>
        <translation>Onvertaalde rijen</translation>
    </message>
    <message>
        <source>Reference and translation</source>
        <translation>Referentie en vertaling</translation>
    </message>
    <message>
        <source>Reference: </source>
        <translation>Referentie: </translation>
    </message>
    <message>
        <source>Ctrl+%1: %2% %3 &lt;i&gt;(from &quot;%4&quot;)&lt;/i&gt;</source>
        <translation>Ctrl+%1: %2% %3 &lt;i&gt;(van &quot;%4&quot;)&lt;/i&gt;</translation>
    </message>
    <message>
        <source>%1, form %2, row %3</source>
        <translation>%1, formulier %2, rij %3</translation>
    </message>
    <message>
        <source>Ro&amp;ws of:</source>
        <translation>Ri&amp;jen van:</translation>
    </message>
    <message>
        <source>S&amp;how:</source>
        <translation>&amp;Tonen:</translation>
    </message>
    <message>
        <source>Problems of this row</source>
        <translation>Problemen van deze rij</translation>
    </message>
    <message>
        <source>Glossary: %1</source>
        <translation>Woordenlijst: %1</translation>
    </message>
    <message>
        <source>Alt+%1: &lt;b&gt;%2&lt;/b&gt; not translated</source>
        <translation>Alt+%1: &lt;b&gt;%2&lt;/b&gt; niet vertaald</translation>
    </message>
    <message>
        <source>Alt+%1: &lt;b&gt;%2&lt;/b&gt; is %3</source>
        <translation>Alt+%1: &lt;b&gt;%2&lt;/b&gt; is %3</translation>
    </message>
</context>
<context>
    <name>ReferenceSession</name>
    <message>
        <source>cannot be opened</source>
        <translation>kan niet worden geopend</translation>
    </message>
</context>
<context>
    <name>SafeFile</name>
    <message>
        <source>no file name</source>
        <translation>geen bestandsnaam</translation>
    </message>
    <message>
        <source>is a folder</source>
        <translation>is een map</translation>
    </message>
    <message>
        <source>is read-only</source>
        <translation>is alleen-lezen</translation>
    </message>
</context>
<context>
    <name>TermDialog</name>
    <message>
        <source>(none)</source>
        <translation>(geen)</translation>
    </message>
    <message>
        <source>noun</source>
        <translation>zelfst. naamwoord</translation>
    </message>
    <message>
        <source>verb</source>
        <translation>werkwoord</translation>
    </message>
    <message>
        <source>adjective</source>
        <translation>bijvoeglijk naamwoord</translation>
    </message>
    <message>
        <source>adverb</source>
        <translation>bijwoord</translation>
    </message>
    <message>
        <source>proper noun</source>
        <translation>eigennaam</translation>
    </message>
    <message>
        <source>other</source>
        <translation>anders</translation>
    </message>
    <message>
        <source>&amp;Not translated (a name)</source>
        <translation>&amp;Niet vertaald (een naam)</translation>
    </message>
    <message>
        <source>Add term</source>
        <translation>Term toevoegen</translation>
    </message>
    <message>
        <source>&amp;Term:</source>
        <translation>&amp;Term:</translation>
    </message>
    <message>
        <source>T&amp;ranslation:</source>
        <translation>&amp;Vertaling:</translation>
    </message>
    <message>
        <source>N&amp;ote:</source>
        <translation>&amp;Opmerking:</translation>
    </message>
    <message>
        <source>&amp;Part of speech:</source>
        <translation>&amp;Woordsoort:</translation>
    </message>
</context>
<context>
    <name>TextMarks</name>
    <message>
        <source>Add &quot;%1&quot; to the dictionary</source>
        <translation>&quot;%1&quot; aan het woordenboek toevoegen</translation>
    </message>
    <message>
        <source>A language file cannot store the character %1.</source>
        <translation>Een taalbestand kan het teken %1 niet opslaan.</translation>
    </message>
</context>
<context>
    <name>TextRules</name>
    <message>
        <source>Maximum rows reached for this form.</source>
        <translation>Het maximale aantal rijen voor dit formulier is bereikt.</translation>
    </message>
    <message>
        <source>Type at least 3 characters</source>
        <translation>Typ minstens 3 tekens</translation>
    </message>
    <message>
        <source>Please remove the ½, ¾ or ¼ characters.</source>
        <translation>Verwijder de tekens ½, ¾ of ¼.</translation>
    </message>
</context>
<context>
    <name>TranslationEditor</name>
    <message>
        <source>Translation</source>
        <translation>Vertaling</translation>
    </message>
</context>
<context>
    <name>WorkbenchModel</name>
    <message>
        <source>Accept problems</source>
        <translation>Problemen aanvaarden</translation>
    </message>
    <message>
        <source>State</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Untranslated</source>
        <translation>Onvertaald</translation>
    </message>
    <message>
        <source>Needs review</source>
        <translation>Te beoordelen</translation>
    </message>
    <message>
        <source>Translated</source>
        <translation>Vertaald</translation>
    </message>
    <message>
        <source>Reviewed</source>
        <translation>Beoordeeld</translation>
    </message>
    <message>
        <source>Mark reviewed</source>
        <translation>Beoordeeld markeren</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Notitie</translation>
    </message>
    <message>
        <source>, %1 reviewed</source>
        <translation>, %1 beoordeeld</translation>
    </message>
    <message numerus="yes">
        <source>%1 and %n more</source>
        <translation><numerusform>%1 en nog %n</numerusform><numerusform>%1 en nog %n</numerusform></translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <translation>%1 en %2</translation>
    </message>
    <message>
        <source>row %1</source>
        <translation>rij %1</translation>
    </message>
    <message>
        <source>rows %1</source>
        <translation>rijen %1</translation>
    </message>
    <message>
        <source>Form %1, row %2</source>
        <translation>Formulier %1, rij %2</translation>
    </message>
    <message>
        <source>Row</source>
        <translation>Rij</translation>
    </message>
    <message>
        <source>Reference</source>
        <translation>Referentie</translation>
    </message>
    <message>
        <source>This file</source>
        <translation>Dit bestand</translation>
    </message>
    <message>
        <source>Problems</source>
        <translation>Problemen</translation>
    </message>
    <message>
        <source>A row keeps a text of two characters or more.</source>
        <translation>Een rij bewaart een tekst van twee tekens of meer.</translation>
    </message>
    <message>
        <source>This text cannot be stored: it %1.</source>
        <translation>Deze tekst kan niet worden bewaard: hij %1.</translation>
    </message>
    <message>
        <source>Translate row</source>
        <translation>Rij vertalen</translation>
    </message>
    <message>
        <source>Rows inserted in this form would move other rows when it is stored.<byte value="xd"/>
Save or undo them first.</source>
        <translation>Rijen die in dit formulier zijn ingevoegd, zouden bij het opslaan andere rijen verschuiven.<byte value="xd"/>
Sla ze eerst op of maak ze ongedaan.</translation>
    </message>
    <message>
        <source>Row %1 of this form has no text, in this file nor in the reference.</source>
        <translation>Rij %1 van dit formulier heeft geen tekst, in dit bestand noch in de referentie.</translation>
    </message>
    <message>
        <source>Row %1 of this form has no text, and the reference&apos;s &quot;%2&quot; is too short to fill it.</source>
        <translation>Rij %1 van dit formulier heeft geen tekst, en &quot;%2&quot; van de referentie is te kort om haar te vullen.</translation>
    </message>
    <message>
        <source>Storing row %1 would move %2 away from the rows the application reads.</source>
        <translation>Rij %1 opslaan zou %2 verplaatsen, weg van de rijen die de toepassing leest.</translation>
    </message>
    <message>
        <source>Row %1 of this form has no text yet.</source>
        <translation>Rij %1 van dit formulier heeft nog geen tekst.</translation>
    </message>
    <message>
        <source>Rows %1 of this form have no text yet.</source>
        <translation>Rijen %1 van dit formulier hebben nog geen tekst.</translation>
    </message>
    <message>
        <source>Saving the form would close up the empty rows and move %1 away from the rows the application reads.<byte value="xd"/>
Fill the empty rows with the reference&apos;s texts first?</source>
        <translation>Het formulier opslaan zou de lege rijen sluiten en %1 verplaatsen, weg van de rijen die de toepassing leest.<byte value="xd"/>
Eerst de lege rijen vullen met de teksten van de referentie?</translation>
    </message>
    <message>
        <source>Fill rows</source>
        <translation>Rijen vullen</translation>
    </message>
    <message>
        <source>%1 of %2 reference rows translated, %3 problems</source>
        <translation>%1 van %2 referentierijen vertaald, %3 problemen</translation>
    </message>
    <message>
        <source>Form %1: %2 of %3 rows translated, %4 problems</source>
        <translation>Formulier %1: %2 van %3 rijen vertaald, %4 problemen</translation>
    </message>
    <message>
        <source>Form %1 has empty rows before its last text. Saving would close them up and move %2 away from the rows the application reads, so they are kept at their rows.<byte value="xd"/>
Fill the empty rows with the reference&apos;s texts? No leaves them empty.</source>
        <translation>Formulier %1 heeft lege rijen voor zijn laatste tekst. Opslaan zou ze sluiten en %2 verplaatsen, weg van de rijen die de toepassing leest; daarom blijven ze op hun rij.<byte value="xd"/>
De lege rijen vullen met de teksten van de referentie? Nee laat ze leeg.</translation>
    </message>
    <message>
        <source>Keep rows in place</source>
        <translation>Rijen op hun plaats houden</translation>
    </message>
    <message>
        <source>Clear row</source>
        <translation>Rij wissen</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>%1 by %2, %3</source>
        <translation>%1 door %2, %3</translation>
    </message>
    <message>
        <source>%1, with a note</source>
        <translation>%1, met een notitie</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Editor for .lsf language files</source>
        <translation>Editor voor .lsf-taalbestanden</translation>
    </message>
    <message>
        <source>Save a picture of the window to &lt;png&gt; once it is shown, then quit.</source>
        <translation>Sla een afbeelding van het venster op in &lt;png&gt; zodra het getoond wordt en stop dan.</translation>
    </message>
    <message>
        <source>Select form &lt;number&gt; after start-up.</source>
        <translation>Kies formulier &lt;number&gt; na het starten.</translation>
    </message>
    <message>
        <source>Open &lt;file&gt; as the reference, the language translated from.</source>
        <translation>Open &lt;file&gt; als referentie, de taal waaruit vertaald wordt.</translation>
    </message>
    <message>
        <source>Speak &lt;language&gt;, en or nl, whatever the desktop&apos;s language is.</source>
        <translation>Spreek &lt;language&gt;, en of nl, wat de taal van het bureaublad ook is.</translation>
    </message>
    <message>
        <source>A language file to open.</source>
        <translation>Een taalbestand om te openen.</translation>
    </message>
</context>
</TS>
