<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="da_DK" sourcelanguage="en">
<context>
    <name>AboutWindow</name>
    <message>
        <source>Norvak Vekora</source>
        <comment>product name</comment>
        <translation>Norvak Vekuret</translation>
    </message>
    <message>
        <source>Close</source>
        <comment>button that closes the window</comment>
        <translation>Luk</translation>
    </message>
    <message>
        <source>With compliments</source>
        <translation>Med venlig hilsen</translation>
    </message>
    <message>
        <source>M.Sc. (Eng.), B.Com., Managing Director</source>
        <translation>Cand.polyt., HD, administrerende direktør</translation>
    </message>
    <message>
        <source>Urværksvej 1, DK-9999 Klokkerup, Denmark, www.norvak.example.com</source>
        <translation>Urværksvej 1, DK-9999 Klokkerup, Danmark, www.norvak.example.com</translation>
    </message>
    <message>
        <source>Phone +45 0000 0000, fax +45 0000 0001, e-mail info@norvak.example.com</source>
        <translation>Tlf. +45 0000 0000, fax +45 0000 0001, e-mail info@norvak.example.com</translation>
    </message>
    <message>
        <source>Norvak makes small, dependable programs for the desktop.</source>
        <translation>Norvak laver små, pålidelige programmer til skrivebordet.</translation>
    </message>
    <message>
        <source>Custom software, consulting and training: see www.norvak.example.com.</source>
        <translation>Software efter mål, rådgivning og kurser: se www.norvak.example.com.</translation>
    </message>
    <message>
        <source>Freeware: may be copied and shared freely, but not sold.</source>
        <translation>Freeware: må frit kopieres og deles, men ikke sælges.</translation>
    </message>
    <message>
        <source>© Norvak. All rights reserved.</source>
        <translation>© Norvak. Alle rettigheder forbeholdes.</translation>
    </message>
    <message>
        <source>Copying: Select text + Ctrl-C.</source>
        <translation>Kopiering: Marker tekst + Ctrl-C.</translation>
    </message>
    <message>
        <source>Version %1 for Linux</source>
        <translation>Version %1 for Linux</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Alarm</source>
        <comment>caption of the alarm frame</comment>
        <translation>Alarm</translation>
    </message>
    <message>
        <source>Right-click for general menu.</source>
        <translation>Højreklik for generel menu.</translation>
    </message>
    <message>
        <source>Alarm settings. %1</source>
        <extracomment>Tool tip of the alarm frame; %1 is the general hint &quot;Right-click for general menu.&quot;</extracomment>
        <translation>Alarmindstillinger. %1</translation>
    </message>
    <message>
        <source>Actual time. %1</source>
        <extracomment>Tool tip of the time display; %1 is the general hint</extracomment>
        <translation>Aktuel tid. %1</translation>
    </message>
    <message>
        <source>Actual date. %1</source>
        <extracomment>Tool tip of the date line; %1 is the general hint</extracomment>
        <translation>Aktuel dato. %1</translation>
    </message>
    <message>
        <source>Alarm On/Off. %1</source>
        <extracomment>Tool tip of the alarm switch; %1 is the general hint</extracomment>
        <translation>Alarm Til/Fra. %1</translation>
    </message>
    <message>
        <source>Alarm time in almost any 24h time format, for example: 0945.</source>
        <translation>Alarmtid i næsten ethvert 24-timers tidsformat, fx 0945)</translation>
    </message>
    <message>
        <source>Alarm message. Copying: Select text + Ctrl-C.</source>
        <translation>Alarm meddelelse. Kopiering: Marker tekst + Ctrl-C.</translation>
    </message>
    <message>
        <source>Select alarmday of the week.</source>
        <translation>Vælg alarm ugedag.</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Minimer</translation>
    </message>
    <message>
        <source>Sound %1</source>
        <extracomment>Menu item; %1 is the sound mark ((o)), shown whether sound is on or off</extracomment>
        <translation>Lyd %1</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Sprog</translation>
    </message>
    <message>
        <source>Help</source>
        <comment>menu item</comment>
        <translation>Hjælp</translation>
    </message>
    <message>
        <source>About</source>
        <comment>menu item that opens the About window</comment>
        <translation>Om Vekuret</translation>
    </message>
    <message>
        <source>Exit</source>
        <comment>menu item that ends the program</comment>
        <translation>Luk</translation>
    </message>
    <message>
        <source>Error!</source>
        <comment>alarm switch: the alarm time is faulty</comment>
        <translation>Fejl!</translation>
    </message>
    <message>
        <source>Stop</source>
        <comment>alarm switch: the alarm is ringing</comment>
        <translation>Stop</translation>
    </message>
    <message>
        <source>On</source>
        <comment>alarm switch: the alarm is set</comment>
        <translation>Til</translation>
    </message>
    <message>
        <source>Off</source>
        <comment>alarm switch: the alarm is not set</comment>
        <translation>Fra</translation>
    </message>
    <message>
        <source>Norvak Vekora</source>
        <comment>window title</comment>
        <translation>Norvak Vekuret</translation>
    </message>
    <message>
        <source>Do you really want to exit Vekora?</source>
        <translation>Er du sikker på, du vil afslutte Vekuret?</translation>
    </message>
    <message>
        <source>Repair the error in the alarm time field!</source>
        <translation>Reparer fejlen i feltet med alarmtid!</translation>
    </message>
    <message>
        <source>The help page could not be opened:
%1</source>
        <extracomment>%1 is the help page&apos;s full path, on a line of its own</extracomment>
        <translation>Hjælpesiden kunne ikke åbnes:
%1</translation>
    </message>
    <message>
        <source>All</source>
        <comment>every day of the week</comment>
        <extracomment>The weekday list shows the first three letters of each weekday; &quot;All&quot; is the first entry. The English weekday names end in &quot;dag&quot; on purpose: that is how the program writes them.</extracomment>
        <translation>Alle</translation>
    </message>
    <message>
        <source>Sundag</source>
        <translation>Søndag</translation>
    </message>
    <message>
        <source>Mondag</source>
        <translation>Mandag</translation>
    </message>
    <message>
        <source>Tuesdag</source>
        <translation>Tirsdag</translation>
    </message>
    <message>
        <source>Wednesdag</source>
        <translation>Onsdag</translation>
    </message>
    <message>
        <source>Thursdag</source>
        <translation>Torsdag</translation>
    </message>
    <message>
        <source>Fridag</source>
        <translation>Fredag</translation>
    </message>
    <message>
        <source>Saturdag</source>
        <translation>Lørdag</translation>
    </message>
    <message>
        <source>January</source>
        <translation>januar</translation>
    </message>
    <message>
        <source>February</source>
        <translation>februar</translation>
    </message>
    <message>
        <source>March</source>
        <translation>marts</translation>
    </message>
    <message>
        <source>April</source>
        <translation>april</translation>
    </message>
    <message>
        <source>May</source>
        <comment>month</comment>
        <translation>maj</translation>
    </message>
    <message>
        <source>June</source>
        <translation>juni</translation>
    </message>
    <message>
        <source>July</source>
        <translation>juli</translation>
    </message>
    <message>
        <source>August</source>
        <translation>august</translation>
    </message>
    <message>
        <source>September</source>
        <translation>september</translation>
    </message>
    <message>
        <source>October</source>
        <translation>oktober</translation>
    </message>
    <message>
        <source>November</source>
        <translation>november</translation>
    </message>
    <message>
        <source>December</source>
        <translation>december</translation>
    </message>
    <message>
        <source>%1 %2, %3 %4</source>
        <comment>date line</comment>
        <extracomment>The date line: %1 weekday, %2 month, %3 day of the month, %4 year, for example &quot;Wednesdag March, 5 2003&quot;</extracomment>
        <translation>%1 %3. %2 %4</translation>
    </message>
    <message>
        <source>Vekora could not save its settings in %1:
%2</source>
        <extracomment>%1 is the settings file&apos;s full path, %2 the system&apos;s reason</extracomment>
        <translation>Vekuret kunne ikke gemme indstillingerne i %1:
%2</translation>
    </message>
    <message>
        <source>Missed alarm: %1 %2</source>
        <extracomment>Title of a notification; %1 the weekday&apos;s first three letters, %2 the time as hh:mm</extracomment>
        <translation>Mistet alarm: %1 %2</translation>
    </message>
    <message>
        <source>Rings %1 min. late.</source>
        <extracomment>Last line of the ringing alarm&apos;s notification after a sleep; %1 whole minutes</extracomment>
        <translation>Ringer %1 min. for sent.</translation>
    </message>
    <message>
        <source>Snooze 10 min</source>
        <extracomment>Button of the ringing alarm&apos;s notification: it rings again in ten minutes</extracomment>
        <translation>Udsæt 10 min</translation>
    </message>
    <message>
        <source>An alarm is about to ring or ringing</source>
        <extracomment>Shown by the desktop as the reason the computer does not go to sleep</extracomment>
        <translation>En alarm ringer snart eller ringer nu</translation>
    </message>
    <message>
        <source>Start with the desktop</source>
        <translation>Start med skrivebordet</translation>
    </message>
    <message>
        <source>Vekora could not be set to start with the desktop.
%1
%2</source>
        <extracomment>%1 the autostart entry&apos;s path, %2 the reason</extracomment>
        <translation>Vekuret kunne ikke sættes til at starte med skrivebordet.
%1
%2</translation>
    </message>
    <message>
        <source>Vekora could not be removed from the programs started with the desktop.
%1
%2</source>
        <translation>Vekuret kunne ikke fjernes fra de programmer, der starter med skrivebordet.
%1
%2</translation>
    </message>
    <message>
        <source>Alarm time</source>
        <extracomment>What a screen reader calls the alarm-time field</extracomment>
        <translation>Alarmtid</translation>
    </message>
    <message>
        <source>Alarm message</source>
        <extracomment>What a screen reader calls the message field</extracomment>
        <translation>Alarmmeddelelse</translation>
    </message>
    <message>
        <source>Alarm day</source>
        <extracomment>What a screen reader calls the weekday list, before the list&apos;s tool tip</extracomment>
        <translation>Alarmdag</translation>
    </message>
    <message>
        <source>Vekora could not read its settings in %1:
%2
It starts afresh.</source>
        <extracomment>%1 is the settings file&apos;s full path, %2 the reason</extracomment>
        <translation>Vekuret kunne ikke læse indstillingerne i %1:
%2
Det starter forfra.</translation>
    </message>
    <message>
        <source>Snoozed until %1</source>
        <extracomment>Title of the notification shown while an alarm is snoozed; %1 the time it rings, hh:mm</extracomment>
        <translation>Udsat til %1</translation>
    </message>
    <message>
        <source>Cancel snooze</source>
        <extracomment>Button of the snooze notification: the alarm does not ring at the snooze&apos;s time</extracomment>
        <translation>Annullér udsættelse</translation>
    </message>
    <message>
        <source>Show the alarm</source>
        <extracomment>What a click on the ringing alarm&apos;s notification does: the alarm&apos;s window comes forward</extracomment>
        <translation>Vis alarmen</translation>
    </message>
</context>
<context>
    <name>WelcomeWindow</name>
    <message>
        <source>Vekora</source>
        <comment>the program&apos;s short name</comment>
        <translation>Vekuret</translation>
    </message>
    <message>
        <source>Welcome to Vekora.</source>
        <translation>Velkommen til Vekuret.</translation>
    </message>
    <message>
        <source>The next window is only rarely shown.</source>
        <translation>Næste vindue vises kun sjældent.</translation>
    </message>
    <message>
        <source>Help video</source>
        <translation>Hjælp video</translation>
    </message>
    <message>
        <source>No help video</source>
        <translation>Ingen Hjælp video</translation>
    </message>
    <message>
        <source>Opens Help at instruction video access.</source>
        <translation>Åbner Hjælp ved start af instruktionsvideo.</translation>
    </message>
    <message>
        <source>The language can be changed at any time.</source>
        <translation>Sproget kan ændres når som helst.</translation>
    </message>
    <message>
        <source>Welcome to Vekora</source>
        <extracomment>What a screen reader calls the welcome window, which has no title bar</extracomment>
        <translation>Velkommen til Vekuret</translation>
    </message>
    <message>
        <source>Language</source>
        <extracomment>What a screen reader calls the language list, before the list&apos;s tool tip</extracomment>
        <translation>Sprog</translation>
    </message>
</context>
</TS>
