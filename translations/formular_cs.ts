<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="cs" sourcelanguage="en">
<context>
    <name>AccessoryPanel</name>
    <message>
        <source>Accessories: </source>
        <translation>Příslušenství za příplatek: </translation>
    </message>
</context>
<context>
    <name>ContactDialog</name>
    <message>
        <source>Contact information</source>
        <translation>Kontaktní informace</translation>
    </message>
    <message>
        <source>continue &gt;&gt;&gt;</source>
        <translation>pokračovat &gt;&gt;&gt;</translation>
    </message>
    <message>
        <source>The document is made all the same; the contact details are not remembered.</source>
        <translation>Dokument se přesto vytvoří; kontaktní údaje si program nezapamatuje.</translation>
    </message>
</context>
<context>
    <name>ContactStore</name>
    <message>
        <source>The contact details could not be stored in %1.
%2</source>
        <translation>Kontaktní údaje se nepodařilo uložit do %1.
%2</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a text</source>
        <translation>&apos;%1&apos; není text</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is longer than its box holds (%2 characters)</source>
        <translation>&apos;%1&apos; je delší, než pojme jeho pole (%2 znaků)</translation>
    </message>
    <message>
        <source>it holds bytes that are not UTF-8 text</source>
        <translation>obsahuje bajty, které nejsou textem v UTF-8</translation>
    </message>
    <message>
        <source>it holds more than the five values</source>
        <translation>obsahuje víc než pět hodnot</translation>
    </message>
    <message>
        <source>its folder %1 %2</source>
        <translation>jeho složka %1 %2</translation>
    </message>
    <message>
        <source>is a link of another user, which is not followed</source>
        <translation>je odkaz jiného uživatele; takový odkaz program nesleduje</translation>
    </message>
    <message>
        <source>is a link to %1, which is not a folder of the user&apos;s</source>
        <translation>je odkaz na %1, což není složka tohoto uživatele</translation>
    </message>
    <message>
        <source>it is a link to %1, which does not exist</source>
        <translation>je to odkaz na %1, který neexistuje</translation>
    </message>
    <message>
        <source>it is a link into %1, a folder of another user, which is not followed</source>
        <translation>je to odkaz do %1, složky jiného uživatele; takový odkaz program nesleduje</translation>
    </message>
    <message>
        <source>it is a link to %1, which belongs to another user and is not followed</source>
        <translation>je to odkaz na %1, který patří jinému uživateli; takový odkaz program nesleduje</translation>
    </message>
    <message>
        <source>it is a link to %1, which is not a regular file</source>
        <translation>je to odkaz na %1, což není obyčejný soubor</translation>
    </message>
    <message>
        <source>it is a link of another user, which is not followed</source>
        <translation>je to odkaz jiného uživatele; takový odkaz program nesleduje</translation>
    </message>
    <message>
        <source>%1 copies are kept beside it already; remove those no longer needed</source>
        <translation>vedle něj je už uschováno %1 kopií; odstraňte ty, které už nepotřebujete</translation>
    </message>
    <message>
        <source>The stored contact details in %1 could not be read exactly: %2. The file was kept as %3.</source>
        <translation>Uložené kontaktní údaje v %1 se nepodařilo přečíst přesně: %2. Soubor byl uschován jako %3.</translation>
    </message>
    <message>
        <source>The stored contact details in %1 could not be read exactly: %2. No copy of the file could be made, so nothing was stored in it:
%3</source>
        <translation>Uložené kontaktní údaje v %1 se nepodařilo přečíst přesně: %2. Kopii souboru se nepodařilo vytvořit, proto do něj nebylo nic uloženo:
%3</translation>
    </message>
    <message>
        <source>The registry refused the values.</source>
        <translation>Registr hodnoty nepřijal.</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>                    Can`t run &quot;WordPad.exe&quot;.<byte value="xd"/>Please find your Form at folder with this application.</source>
        <extracomment>The leading blanks centre the first line over the second.</extracomment>
        <translation>               Nepodařilo se spustit aplikaci &quot;WordPad.exe&quot;.<byte value="xd"/>Vytvořený formulář najdete ve složce odkud je spuštěna tato aplikace.</translation>
    </message>
    <message>
        <source>Ordering form for TQ8, TQ8R data loggers</source>
        <translation>Objednací formulář pro ústředny TQ8, TQ8R</translation>
    </message>
    <message>
        <source>Input<byte value="xd"/>channel<byte value="xd"/>number</source>
        <translation>Číslo<byte value="xd"/>vstupního<byte value="xd"/>kanálu</translation>
    </message>
    <message>
        <source>Input<byte value="xd"/>module<byte value="xd"/>type</source>
        <translation>Typ<byte value="xd"/>vstupního<byte value="xd"/>modulu</translation>
    </message>
    <message>
        <source><byte value="xd"/>Note</source>
        <translation><byte value="xd"/>Poznámka</translation>
    </message>
    <message>
        <source>Delete form</source>
        <translation>Vynulovat formulář</translation>
    </message>
    <message>
        <source>Create document</source>
        <translation>Vygenerovat dokument</translation>
    </message>
    <message>
        <source>Show system architecture</source>
        <translation>Zobrazit blokové schéma</translation>
    </message>
    <message>
        <source>Input channels</source>
        <translation>Vstupní kanály</translation>
    </message>
    <message>
        <source>Přepnout do češtiny</source>
        <extracomment>The button names the language a click brings, in that language.</extracomment>
        <translation>Switch to English</translation>
    </message>
    <message>
        <source>Scroll the form</source>
        <translation>Posunout formulář</translation>
    </message>
    <message>
        <source>The maker&apos;s web site</source>
        <translation>Webové stránky výrobce</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>Potvrzení</translation>
    </message>
    <message>
        <source>Do you wish to delete all items ?</source>
        <translation>Opravdu si přejete vynulovat veškeré provedené volby ?</translation>
    </message>
    <message>
        <source>Choose first data logger model please.</source>
        <translation>Vyberte nejdříve typ požadované ústředny.</translation>
    </message>
    <message>
        <source>Input module type</source>
        <translation>Typ vstupního modulu</translation>
    </message>
</context>
<context>
    <name>ModelChooser</name>
    <message>
        <source>Choose data logger model please: </source>
        <translation>Typ požadované ústředny: </translation>
    </message>
    <message>
        <source>TQ8 data logger in IP54 case with connected terminal with LCD.</source>
        <translation>Ústředna TQ8 ve skříni IP54 s připojeným terminálem.</translation>
    </message>
</context>
<context>
    <name>wholefile</name>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>Soubor %1 se nepodařilo zapsat: %2</translation>
    </message>
    <message>
        <source>Cannot read %1: %2</source>
        <translation>Soubor %1 se nepodařilo přečíst: %2</translation>
    </message>
    <message>
        <source>it is a link to another file, which is not written through; remove the link or work in another folder</source>
        <translation>je to odkaz na jiný soubor, do kterého program nezapisuje; odstraňte odkaz nebo pracujte v jiné složce</translation>
    </message>
    <message>
        <source>it is larger than %1 bytes</source>
        <translation>je větší než %1 bajtů</translation>
    </message>
    <message>
        <source>the folder %1 is a link, which is not followed</source>
        <translation>složka %1 je odkaz, který program nesleduje</translation>
    </message>
    <message>
        <source>the folder %1 no longer exists</source>
        <translation>složka %1 už neexistuje</translation>
    </message>
    <message>
        <source>a folder of that name is in the way</source>
        <translation>v cestě je složka téhož jména</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>není to obyčejný soubor</translation>
    </message>
    <message>
        <source>the existing file is read-only</source>
        <translation>stávající soubor je jen pro čtení</translation>
    </message>
    <message>
        <source>it is a link, which is not followed</source>
        <translation>je to odkaz, který program nesleduje</translation>
    </message>
</context>
</TS>
