<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>FileWriting</name>
    <message>
        <location filename="../platform/atomic_write.cpp" line="+69"/>
        <source>the picture cannot be encoded as PNG</source>
        <translation>das Bild lässt sich nicht als PNG kodieren</translation>
    </message>
    <message>
        <location filename="../platform/inifile.cpp" line="+234"/>
        <source>Cannot write %1: %2</source>
        <translation>%1 kann nicht geschrieben werden: %2</translation>
    </message>
</context>
<context>
    <name>Noctaris</name>
    <message>
        <location filename="../app/start.cpp" line="+87"/>
        <source>Unknown error</source>
        <translation>Unbekannter Fehler</translation>
    </message>
</context>
<context>
    <name>TimeStep</name>
    <message>
        <location filename="../app/timecontrol.h" line="+24"/>
        <source>15 seconds</source>
        <translation>15 Sekunden</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>30 seconds</source>
        <translation>30 Sekunden</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>1 minute</source>
        <translation>1 Minute</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>2 minutes</source>
        <translation>2 Minuten</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>3 minutes</source>
        <translation>3 Minuten</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>5 minutes</source>
        <translation>5 Minuten</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>10 minutes</source>
        <translation>10 Minuten</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>15 minutes</source>
        <translation>15 Minuten</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>30 minutes</source>
        <translation>30 Minuten</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>1 hour</source>
        <translation>1 Stunde</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>2 hours</source>
        <translation>2 Stunden</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>3 hours</source>
        <translation>3 Stunden</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>6 hours</source>
        <translation>6 Stunden</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>12 hours</source>
        <translation>12 Stunden</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>23 h 56 min</source>
        <translation>23 h 56 min</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>24 hours</source>
        <translation>24 Stunden</translation>
    </message>
</context>
<context>
    <name>noctaris::MainWindow</name>
    <message>
        <location filename="../app/main_window.cpp" line="+297"/>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <location line="+97"/>
        <source>Save chart as PNG</source>
        <translation>Karte als PNG speichern</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>PNG image</source>
        <translation>PNG-Bild</translation>
    </message>
    <message>
        <location filename="../app/main_window_menu.cpp" line="+63"/>
        <source>Animation</source>
        <translation>Animation</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Animation speed</source>
        <translation>Animationsgeschwindigkeit</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Now</source>
        <translation>Jetzt</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Time interval</source>
        <translation>Zeitschritt</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Reverse timeline</source>
        <translation>Zeitrichtung umkehren</translation>
    </message>
    <message>
        <location line="+9"/>
        <location line="+1"/>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Time</source>
        <translation>Uhrzeit</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>S</source>
        <comment>star names</comment>
        <translation>S</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Star names</source>
        <translation>Sternnamen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>SB</source>
        <comment>constellation names</comment>
        <translation>SB</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Constellation names</source>
        <translation>Sternbildnamen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Constellation lines</source>
        <translation>Sternbildlinien</translation>
    </message>
    <message>
        <location line="+6"/>
        <source> Place</source>
        <translation> Ort</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Observation place</source>
        <translation>Beobachtungsort</translation>
    </message>
    <message>
        <location line="+12"/>
        <location line="+4"/>
        <source>Azimuth</source>
        <translation>Azimut</translation>
    </message>
    <message>
        <location line="+36"/>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Save chart as PNG…</source>
        <translation>&amp;Karte als PNG speichern…</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <location line="+2"/>
        <location line="+1"/>
        <source>&amp;Simulation</source>
        <translation>&amp;Simulation</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Reverse timeline</source>
        <translation>Zeitrichtung &amp;umkehren</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Simulation s&amp;lower</source>
        <translation>Simulation &amp;langsamer</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Simulation &amp;faster</source>
        <translation>Simulation s&amp;chneller</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Display</source>
        <translation>&amp;Anzeige</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Ecliptic</source>
        <translation>&amp;Ekliptik</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Celestial e&amp;quator</source>
        <translation>&amp;Himmelsäquator</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Coordinate &amp;grid</source>
        <translation>&amp;Koordinatennetz</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Meridian</source>
        <translation>&amp;Meridian</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Contour l&amp;ine</source>
        <translation>Höhen&amp;linien</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>M&amp;oon</source>
        <translation>M&amp;ond</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Consider summer &amp;time</source>
        <translation>Sommer&amp;zeit berücksichtigen</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Horizon figure</source>
        <translation>Horizont&amp;bild</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&amp;Star name</source>
        <translation>&amp;Sternnamen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Constellation &amp;name</source>
        <translation>Sternbild&amp;namen</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Constellation &amp;line</source>
        <translation>Sternbildl&amp;inien</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Constellation &amp;border</source>
        <translation>Sternbild&amp;grenzen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;White stars</source>
        <translation>&amp;Weiße Sterne</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Show star in&amp;formation</source>
        <translation>Sterninformationen &amp;anzeigen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Zodiac signs</source>
        <translation>&amp;Tierkreiszeichen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Di&amp;rection</source>
        <translation>&amp;Richtung</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>&amp;East in center</source>
        <translation>&amp;Osten in der Mitte</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;South in center</source>
        <translation>&amp;Süden in der Mitte</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;West in center</source>
        <translation>&amp;Westen in der Mitte</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;North in center</source>
        <translation>&amp;Norden in der Mitte</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Additional informations</source>
        <translation>&amp;Zusatzinformationen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Moon parameter</source>
        <translation>&amp;Mondparameter</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Sun parameter</source>
        <translation>&amp;Sonnenparameter</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Ephemeris table</source>
        <translation>&amp;Ephemeridentabelle</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Galilean jupiter moons</source>
        <translation>&amp;Galileische Jupitermonde</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Venus phase</source>
        <translation>&amp;Venusphase</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Moon &amp;phase calendar</source>
        <translation>Mond&amp;phasenkalender</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Orbits</source>
        <translation>Planeten&amp;bahnen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Astronomical &amp;calendar</source>
        <translation>Astronomischer &amp;Kalender</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Terminator</source>
        <translation>&amp;Tag-Nacht-Grenze</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;?</source>
        <translation>&amp;?</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;About ...</source>
        <translation>Ü&amp;ber Noctaris ...</translation>
    </message>
</context>
</TS>
