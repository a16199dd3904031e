<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>CalendarEvent</name>
    <message>
        <location filename="../../astro/calendar_events.cpp" line="+23"/>
        <source>Beginning of spring</source>
        <translation>Frühlingsanfang</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Beginning of summer</source>
        <translation>Sommeranfang</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Beginning of autumn</source>
        <translation>Herbstanfang</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Beggining of winter</source>
        <translation>Winteranfang</translation>
    </message>
    <message>
        <location line="+1"/>
        <source> in lower conjunction to sun</source>
        <translation> in unterer Konjunktion mit der Sonne</translation>
    </message>
    <message>
        <location line="+1"/>
        <source> in upper conjunction to sun</source>
        <translation> in oberer Konjunktion mit der Sonne</translation>
    </message>
    <message>
        <location line="+1"/>
        <source> in opposition to the sun</source>
        <translation> in Opposition zur Sonne</translation>
    </message>
    <message>
        <location line="+1"/>
        <source> in conjunction to sun</source>
        <translation> in Konjunktion mit der Sonne</translation>
    </message>
    <message>
        <location line="+1"/>
        <source> in greatest easterly elongation :</source>
        <translation> in größter östlicher Elongation: </translation>
    </message>
    <message>
        <location line="+1"/>
        <source> in greatest westerly elongation :</source>
        <translation> in größter westlicher Elongation: </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>New moon</source>
        <translation>Neumond</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>First quarter</source>
        <translation>Erstes Viertel</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Full moon</source>
        <translation>Vollmond</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Last quarter</source>
        <translation>Letztes Viertel</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Total solar eclipse</source>
        <translation>Totale Sonnenfinsternis</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Ring-shaped solar eclipse</source>
        <translation>Ringförmige Sonnenfinsternis</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Ring-shaped-total solar eclipse</source>
        <translation>Ringförmig-totale Sonnenfinsternis</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Non-central total solar eclipse</source>
        <translation>Nicht-zentrale totale Sonnenfinsternis</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Non-central ring-shaped solar eclipse</source>
        <translation>Nicht-zentrale ringförmige Sonnenfinsternis</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Partial solar eclipse, maximale size = </source>
        <translation>Partielle Sonnenfinsternis, maximale Größe = </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Total lunar eclipse, size = </source>
        <translation>Totale Mondfinsternis, Größe = </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Partial lunar eclipse, size = </source>
        <translation>Partielle Mondfinsternis, Größe = </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Penumbral eclipse of the moon, size = </source>
        <translation>Halbschattenfinsternis des Mondes, Größe = </translation>
    </message>
    <message>
        <location line="+141"/>
        <source>Begin of summer time</source>
        <translation>Beginn der Sommerzeit</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>End of summer time</source>
        <translation>Ende der Sommerzeit</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Earth in perihelion</source>
        <translation>Erde in Sonnennähe (Perihel)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Earth in aphelion</source>
        <translation>Erde in Sonnenferne (Aphel)</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Moon in perigee</source>
        <translation>Mond in Erdnähe (Perigäum)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Moon in apogee</source>
        <translation>Mond in Erdferne (Apogäum)</translation>
    </message>
</context>
<context>
    <name>ChartPanels</name>
    <message>
        <location filename="../../chart/panels.cpp" line="+28"/>
        <source>Io</source>
        <translation>Io</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Europe</source>
        <translation>Europa</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Ganymed</source>
        <translation>Ganymed</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Callisto</source>
        <translation>Kallisto</translation>
    </message>
    <message>
        <location line="+132"/>
        <source>Diameter %.2n&quot;</source>
        <translation>Durchmesser %.2n&quot;</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Brightness %.2n mag</source>
        <translation>Helligkeit %.2n mag</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Illuminating part %.1n</source>
        <translation>Beleuchteter Anteil %.1n</translation>
    </message>
    <message>
        <location line="+28"/>
        <source>Venus disc</source>
        <translation>Venusscheibe</translation>
    </message>
</context>
<context>
    <name>EventCalendar</name>
    <message>
        <location filename="../../windows/event_calendar_window.cpp" line="+44"/>
        <source>Location: </source>
        <translation>Ort: </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Latitude: %.2f°</source>
        <translation>Breite: %.2f°</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Longitude: %.2f°</source>
        <translation>Länge: %.2f°</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Time zone regarding UT: %.2fh</source>
        <translation>Zeitzone gegenüber Weltzeit: %.2fh</translation>
    </message>
</context>
<context>
    <name>Month</name>
    <message>
        <location filename="../../windows/moon_phase_calendar_window.cpp" line="+78"/>
        <source>January</source>
        <translation>Januar</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>February</source>
        <translation>Februar</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>March</source>
        <translation>März</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>April</source>
        <translation>April</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>May</source>
        <translation>Mai</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>June</source>
        <translation>Juni</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>July</source>
        <translation>Juli</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>August</source>
        <translation>August</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>September</source>
        <translation>September</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>October</source>
        <translation>Oktober</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>November</source>
        <translation>November</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>December</source>
        <translation>Dezember</translation>
    </message>
</context>
<context>
    <name>OrbitPlan</name>
    <message>
        <location filename="../../windows/orbits_plan.cpp" line="+103"/>
        <source>Dwarfplanet %1</source>
        <translation>Zwergplanet %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Asteroid %1</source>
        <translation>Asteroid %1</translation>
    </message>
    <message>
        <location line="+116"/>
        <source>%d AU</source>
        <translation>%d AE</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%.2n AU</source>
        <translation>%.2n AE</translation>
    </message>
</context>
<context>
    <name>Planet</name>
    <message>
        <location filename="../../astro/planets.h" line="+24"/>
        <source>Mercury</source>
        <translation>Merkur</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Venus</source>
        <translation>Venus</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Earth</source>
        <translation>Erde</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Mars</source>
        <translation>Mars</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Jupiter</source>
        <translation>Jupiter</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Saturn</source>
        <translation>Saturn</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Uranus</source>
        <translation>Uranus</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Neptune</source>
        <translation>Neptun</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Sun</source>
        <translation>Sonne</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Moon</source>
        <translation>Mond</translation>
    </message>
</context>
<context>
    <name>SkyChart</name>
    <message>
        <location filename="../../chart/skychart.cpp" line="+31"/>
        <source>Aries</source>
        <translation>Widder</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Taurus</source>
        <translation>Stier</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Gemini</source>
        <translation>Zwillinge</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Cancer</source>
        <translation>Krebs</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Leo</source>
        <translation>Löwe</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Virgo</source>
        <translation>Jungfrau</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Libra</source>
        <translation>Waage</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Scorpio</source>
        <translation>Skorpion</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Sagittarius</source>
        <translation>Schütze</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Capricorn</source>
        <translation>Steinbock</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Aquarius</source>
        <translation>Wassermann</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Pisces</source>
        <translation>Fische</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>S</source>
        <comment>compass: south</comment>
        <translation>S</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>W</source>
        <comment>compass: west</comment>
        <translation>W</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>N</source>
        <comment>compass: north</comment>
        <translation>N</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>E</source>
        <comment>compass: east</comment>
        <translation>O</translation>
    </message>
    <message>
        <location line="+419"/>
        <source> Summer time</source>
        <translation> Sommerzeit</translation>
    </message>
</context>
<context>
    <name>StarInfo</name>
    <message>
        <location filename="../../chart/picking.cpp" line="+65"/>
        <source>Constellation: </source>
        <translation>Sternbild: </translation>
    </message>
    <message>
        <location line="+12"/>
        <source> ly</source>
        <translation> Lj</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>SCl = </source>
        <translation>SpK = </translation>
    </message>
</context>
<context>
    <name>Weekday</name>
    <message>
        <location filename="../../windows/event_calendar_window.cpp" line="-16"/>
        <location filename="../../windows/moon_phase_calendar_window.cpp" line="+7"/>
        <source>Mo</source>
        <translation>Mo</translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../../windows/moon_phase_calendar_window.cpp" line="+1"/>
        <source>Tu</source>
        <translation>Di</translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../../windows/moon_phase_calendar_window.cpp" line="+0"/>
        <source>We</source>
        <translation>Mi</translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../../windows/moon_phase_calendar_window.cpp" line="+1"/>
        <source>Th</source>
        <translation>Do</translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../../windows/moon_phase_calendar_window.cpp" line="+0"/>
        <source>Fr</source>
        <translation>Fr</translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../../windows/moon_phase_calendar_window.cpp" line="+1"/>
        <source>Sa</source>
        <translation>Sa</translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../../windows/moon_phase_calendar_window.cpp" line="-3"/>
        <source>Su</source>
        <translation>So</translation>
    </message>
</context>
<context>
    <name>noctaris::EventCalendarWindow</name>
    <message>
        <location line="+157"/>
        <source>Astronomical calendar</source>
        <translation>Astronomischer Kalender</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>Year</source>
        <translation>Jahr</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Show</source>
        <translation>Anzeigen</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Export…</source>
        <translation>Exportieren…</translation>
    </message>
    <message>
        <location line="+48"/>
        <source>Export the astronomical calendar</source>
        <translation>Astronomischen Kalender exportieren</translation>
    </message>
</context>
<context>
    <name>noctaris::MoonPhaseCalendarWindow</name>
    <message>
        <location filename="../../windows/moon_phase_calendar_window.cpp" line="+131"/>
        <source>Moon phase calendar</source>
        <translation>Mondphasenkalender</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Datumseingabe</source>
        <translation>Datumseingabe</translation>
    </message>
</context>
<context>
    <name>noctaris::OrbitsWindow</name>
    <message>
        <location filename="../../windows/orbits_window.cpp" line="+63"/>
        <source>Orbits</source>
        <translation>Planetenbahnen</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>Objects</source>
        <translation>Objekte</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>Time diff.               days</source>
        <translation>Schritt                    Tage</translation>
    </message>
    <message>
        <location line="+11"/>
        <location line="+92"/>
        <source>Simulation</source>
        <translation>Simulation</translation>
    </message>
    <message>
        <location line="-86"/>
        <source>Scale</source>
        <translation>Maßstab</translation>
    </message>
    <message>
        <location line="+89"/>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
</context>
<context>
    <name>noctaris::TerminatorWindow</name>
    <message>
        <location filename="../../windows/terminator_window.cpp" line="+85"/>
        <source>Terminator</source>
        <translation>Tag-Nacht-Grenze</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Day</source>
        <translation>Tag</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Month</source>
        <translation>Monat</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Hour</source>
        <translation>Stunde</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Minute</source>
        <translation>Minute</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Change minutes</source>
        <translation>Minuten ändern</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Change days</source>
        <translation>Tage ändern</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Consider summer time</source>
        <translation>Sommerzeit berücksichtigen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Sun place</source>
        <translation>Sonnenstand</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Refresh</source>
        <translation>Aktualisieren</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Grid</source>
        <translation>Gradnetz</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Display</source>
        <translation>Anzeigen</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+116"/>
        <source>Simulation</source>
        <translation>Simulation</translation>
    </message>
    <message>
        <location line="-115"/>
        <source>Current time</source>
        <translation>Aktuelle Zeit</translation>
    </message>
    <message>
        <location line="+34"/>
        <source>Sun symbol</source>
        <translation>Sonnensymbol</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>World outline</source>
        <translation>Weltkarte</translation>
    </message>
    <message>
        <location line="+44"/>
        <source>Drawing the map</source>
        <translation>Zeichnen der Karte</translation>
    </message>
    <message>
        <location line="+36"/>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
</context>
</TS>
