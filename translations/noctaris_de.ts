<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>AboutWindow</name>
    <message>
        <location filename="../windows/about_window.cpp" line="+34"/>
        <source>Desktop planetarium
Version %1
Licence GPL-3.0+
Sources: CREDITS.md</source>
        <translation>Desktop-Planetarium
Version %1
Lizenz GPL-3.0+
Quellen: CREDITS.md</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>With thanks to Hipparcos, GeoNames, Natural
Earth, VSOP87 and the USGS for their data.</source>
        <translation>Dank an Hipparcos, GeoNames, Natural Earth,
VSOP87 und den USGS für ihre Daten.</translation>
    </message>
</context>
<context>
    <name>CalendarEvent</name>
    <message>
        <location filename="../astro/events/calendar_events.cpp" line="+28"/>
        <source>Spring equinox</source>
        <translation>Frühlingsanfang</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Summer solstice</source>
        <translation>Sommeranfang</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Autumn equinox</source>
        <translation>Herbstanfang</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Winter solstice</source>
        <translation>Winteranfang</translation>
    </message>
    <message>
        <location line="+1"/>
        <source> at inferior conjunction</source>
        <translation> in unterer Konjunktion mit der Sonne</translation>
    </message>
    <message>
        <location line="+1"/>
        <source> at superior conjunction</source>
        <translation> in oberer Konjunktion mit der Sonne</translation>
    </message>
    <message>
        <location line="+1"/>
        <source> at opposition</source>
        <translation> in Opposition zur Sonne</translation>
    </message>
    <message>
        <location line="+1"/>
        <source> in conjunction with the Sun</source>
        <translation> in Konjunktion mit der Sonne</translation>
    </message>
    <message>
        <location line="+1"/>
        <source> at greatest elongation east: </source>
        <translation> in größter östlicher Elongation: </translation>
    </message>
    <message>
        <location line="+1"/>
        <source> at greatest elongation west: </source>
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
        <source>Annular solar eclipse</source>
        <translation>Ringförmige Sonnenfinsternis</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Hybrid solar eclipse</source>
        <translation>Ringförmig-totale Sonnenfinsternis</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Non-central total solar eclipse</source>
        <translation>Nicht-zentrale totale Sonnenfinsternis</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Non-central annular solar eclipse</source>
        <translation>Nicht-zentrale ringförmige Sonnenfinsternis</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Partial solar eclipse, magnitude </source>
        <translation>Partielle Sonnenfinsternis, maximale Größe = </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Total lunar eclipse, magnitude </source>
        <translation>Totale Mondfinsternis, Größe = </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Partial lunar eclipse, magnitude </source>
        <translation>Partielle Mondfinsternis, Größe = </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Penumbral lunar eclipse, magnitude </source>
        <translation>Halbschattenfinsternis des Mondes, Größe = </translation>
    </message>
    <message>
        <location line="+43"/>
        <source>Start of summer time</source>
        <translation>Beginn der Sommerzeit</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>End of summer time</source>
        <translation>Ende der Sommerzeit</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Earth at perihelion</source>
        <translation>Erde in Sonnennähe (Perihel)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Earth at aphelion</source>
        <translation>Erde in Sonnenferne (Aphel)</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Moon at perigee</source>
        <translation>Mond in Erdnähe (Perigäum)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Moon at apogee</source>
        <translation>Mond in Erdferne (Apogäum)</translation>
    </message>
</context>
<context>
    <name>ChartPanels</name>
    <message>
        <location filename="../chart/panels.cpp" line="+28"/>
        <source>Io</source>
        <translation>Io</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Europa</source>
        <translation>Europa</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Ganymede</source>
        <translation>Ganymed</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Callisto</source>
        <translation>Kallisto</translation>
    </message>
    <message>
        <location line="+131"/>
        <source>Diameter %.2n&quot;</source>
        <translation>Durchmesser %.2n&quot;</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Magnitude %.2n</source>
        <translation>Helligkeit %.2n mag</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Illuminated %.1n %%</source>
        <translation>Beleuchteter Anteil %.1n</translation>
    </message>
    <message>
        <location line="+28"/>
        <source>Venus disc</source>
        <translation>Venusscheibe</translation>
    </message>
</context>
<context>
    <name>ChartSheet</name>
    <message>
        <location filename="../chart/chart_sheet.cpp" line="+37"/>
        <source>Magnitude</source>
        <translation>Größenklasse</translation>
    </message>
</context>
<context>
    <name>DeepSky</name>
    <message>
        <location filename="../catalog/deep_sky.cpp" line="+114"/>
        <source>Spiral galaxy</source>
        <translation>Spiralgalaxie</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Lenticular galaxy</source>
        <translation>Linsenförmige Galaxie</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Elliptical galaxy</source>
        <translation>Elliptische Galaxie</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Irregular galaxy</source>
        <translation>Irreguläre Galaxie</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Dwarf spheroidal galaxy</source>
        <translation>Sphäroidale Zwerggalaxie</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Galaxy</source>
        <translation>Galaxie</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Open cluster</source>
        <translation>Offener Sternhaufen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Globular cluster</source>
        <translation>Kugelsternhaufen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Planetary nebula</source>
        <translation>Planetarischer Nebel</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Bright nebula</source>
        <translation>Galaktischer Nebel</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Reflection nebula</source>
        <translation>Reflexionsnebel</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Emission nebula</source>
        <translation>Emissionsnebel</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Star-forming nebula</source>
        <translation>Sternentstehungsgebiet</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Supernova remnant</source>
        <translation>Supernovaüberrest</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Dark nebula</source>
        <translation>Dunkelnebel</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Star cloud</source>
        <translation>Sternwolke</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Double star</source>
        <translation>Doppelstern</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Asterism</source>
        <translation>Asterismus</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Deep-sky object</source>
        <translation>Deep-Sky-Objekt</translation>
    </message>
</context>
<context>
    <name>EphemerisTable</name>
    <message>
        <location filename="../windows/ephemeris_window.cpp" line="+27"/>
        <source>Helioc. longitude</source>
        <translation>Helioz. Länge</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Helioc. latitude</source>
        <translation>Helioz. Breite</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Radius vector</source>
        <translation>Radiusvektor</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Distance</source>
        <translation>Entfernung</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Light time</source>
        <translation>Lichtlaufzeit</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Geoc. longitude</source>
        <translation>Geoz. Länge</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Geoc. latitude</source>
        <translation>Geoz. Breite</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Right ascension</source>
        <translation>Rektaszension</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Declination</source>
        <translation>Deklination</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Diameter</source>
        <translation>Durchmesser</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Magnitude</source>
        <translation>Vis. Helligkeit</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Rise</source>
        <translation>Aufgang</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Set</source>
        <translation>Untergang</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Constellation</source>
        <translation>Sternbild</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Azimuth</source>
        <translation>Azimut</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Altitude</source>
        <translation>Höhe</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Visibility</source>
        <translation>Sichtbarkeit</translation>
    </message>
    <message>
        <location line="+32"/>
        <source>%.2f AU</source>
        <translation>%.2f AE</translation>
    </message>
    <message>
        <location line="+52"/>
        <source>%d min %d s</source>
        <translation>%d min %d s</translation>
    </message>
</context>
<context>
    <name>EventCalendar</name>
    <message>
        <location filename="../windows/event_calendar_window.cpp" line="+48"/>
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
        <source>Time zone offset from UT: %.2f h</source>
        <translation>Zeitzone gegenüber Weltzeit: %.2fh</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>Time zone: %1 (%2)</source>
        <translation>Zeitzone: %1 (%2)</translation>
    </message>
</context>
<context>
    <name>ExportDialog</name>
    <message>
        <location filename="../windows/exports_dialog.cpp" line="+78"/>
        <source>Cannot write &quot;%1&quot;: %2</source>
        <translation>„%1“ kann nicht geschrieben werden: %2</translation>
    </message>
</context>
<context>
    <name>FileWriting</name>
    <message>
        <location filename="../platform/atomic_write.cpp" line="+103"/>
        <source>the picture cannot be encoded as PNG</source>
        <translation>das Bild lässt sich nicht als PNG kodieren</translation>
    </message>
    <message>
        <location filename="../platform/inifile.cpp" line="+308"/>
        <source>Cannot write %1: %2</source>
        <translation>%1 kann nicht geschrieben werden: %2</translation>
    </message>
</context>
<context>
    <name>FoundObject</name>
    <message>
        <location filename="../chart/found_object.cpp" line="+167"/>
        <source>Star</source>
        <translation>Stern</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Star in %1</source>
        <translation>Stern im Sternbild %1</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>%1 in %2</source>
        <translation>%1 im Sternbild %2</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Constellation (%1)</source>
        <translation>Sternbild (%1)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The Sun, the star of the solar system</source>
        <translation>Die Sonne, der Stern des Sonnensystems</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The Moon, the Earth&apos;s satellite</source>
        <translation>Der Mond, der Trabant der Erde</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Planet</source>
        <translation>Planet</translation>
    </message>
    <message>
        <location line="+51"/>
        <source>Designations: %1</source>
        <translation>Bezeichnungen: %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Apparent size: %1</source>
        <translation>Scheinbare Größe: %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Magnitude: %1</source>
        <translation>Helligkeit: %1 mag</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Right ascension %1, declination %2 (J2000)</source>
        <translation>Rektaszension %1, Deklination %2 (J2000)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Azimuth %1 (from the north through the east), altitude %2</source>
        <translation>Azimut %1 (von Norden über Osten), Höhe %2</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Above the horizon all day</source>
        <translation>Den ganzen Tag über dem Horizont</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Below the horizon all day</source>
        <translation>Den ganzen Tag unter dem Horizont</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Rises %1, sets %2</source>
        <translation>Aufgang %1, Untergang %2</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Culminates %1 at altitude %2</source>
        <translation>Kulmination %1 in der Höhe %2</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Below the horizon now; it rises next at %1</source>
        <translation>Jetzt unter dem Horizont; nächster Aufgang %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Below the horizon now; it does not rise within the next two days</source>
        <translation>Jetzt unter dem Horizont; in den nächsten zwei Tagen kein Aufgang</translation>
    </message>
</context>
<context>
    <name>Frame</name>
    <message>
        <location filename="../windows/wincommon.cpp" line="+176"/>
        <source>apparent of date</source>
        <translation>scheinbar, des Datums</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>J2000</source>
        <translation>J2000</translation>
    </message>
</context>
<context>
    <name>Month</name>
    <message>
        <location filename="../windows/moon_phase_calendar_window.cpp" line="+86"/>
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
    <name>MoonData</name>
    <message>
        <location filename="../windows/moon_window.cpp" line="+44"/>
        <source>Distance %.0f km = %.2f R⊕</source>
        <translation>Entfernung %.0f km = %.2f rE</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Radius %.0f km = %.4f R⊕</source>
        <translation>Radius %.0f km = %.4f rE</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Oblateness 1/1700</source>
        <translation>Abplattung 1 / 1700</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Volume %.1f·10¹⁰ km³ = %.2f V⊕</source>
        <translation>Volumen %.1f·10^10 km³ = %.2f VE</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Mass %.3f·10²² kg = 1/81 M⊕</source>
        <translation>Masse %.3f·10^22 kg = 1/81 mE</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Density %.3f g/cm³</source>
        <translation>Dichte %.3f g/cm³</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Surface gravity %.3f g</source>
        <translation>Fallbeschleunigung %.3f g</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Orbital inclination 5°8&apos;43&quot;</source>
        <translation>Bahnneigung 5°8&apos;43&quot;</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Orbital eccentricity %.4f</source>
        <translation>Bahnexzentrizität %.4f</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Orbital velocity %.2f km/s</source>
        <translation>Bahngeschwindigkeit %.2f km/s</translation>
    </message>
</context>
<context>
    <name>MoonReport</name>
    <message>
        <location line="+118"/>
        <source>Date		</source>
        <translation>Datum	</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Julian Date	%.5f JD</source>
        <translation>Julianisches Datum	%.5f JD</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Universal time	</source>
        <translation>Weltzeit	</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Local time	</source>
        <translation>Ortszeit	</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Frame		</source>
        <translation>Bezugssystem	</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Sidereal time	</source>
        <translation>Sternzeit	</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Moon age		</source>
        <translation>Mondalter	</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%d d %d h %d min</source>
        <translation>%d d %d h %d min</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Distance		%.1f km</source>
        <translation>Entfernung	%.1f km</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>		%.2f Earth radii</source>
        <translation>		%.2f Erdradien</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Illuminated fraction	%.2f %%</source>
        <translation>Beleuchteter Anteil	%.2f %%</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Moon diameter	</source>
        <translation>Durchmesser	</translation>
    </message>
    <message>
        <location line="+8"/>
        <location line="+8"/>
        <source>New moon	</source>
        <translation>Neumond	</translation>
    </message>
    <message>
        <location line="-7"/>
        <source>Lunation		</source>
        <translation>Lunation	</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>First quarter	</source>
        <translation>Erstes Viertel	</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Full moon		</source>
        <translation>Vollmond	</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Last quarter	</source>
        <translation>Letztes Viertel	</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>%1 UT, %2</source>
        <comment>time of day in UT, date</comment>
        <translation>UT %1 %2</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>%1 UT</source>
        <comment>time of day in UT</comment>
        <translation>UT %1 Uhr</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1%2</source>
        <comment>local time of day, its zone</comment>
        <translation>%1 Uhr%2</translation>
    </message>
    <message>
        <location line="-13"/>
        <source>Perigee		</source>
        <translation>Erdnähe	</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Apogee		</source>
        <translation>Erdferne	</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Moonrise		</source>
        <translation>Mondaufgang	</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>none on this day</source>
        <comment>rising</comment>
        <translation>an diesem Tag keiner</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Culmination	</source>
        <translation>Kulmination	</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>none on this day</source>
        <comment>culmination</comment>
        <translation>an diesem Tag keine</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Moonset		</source>
        <translation>Monduntergang	</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>none on this day</source>
        <comment>setting</comment>
        <translation>an diesem Tag keiner</translation>
    </message>
</context>
<context>
    <name>Noctaris</name>
    <message>
        <location filename="../app/start.cpp" line="+91"/>
        <source>Unknown error</source>
        <translation>Unbekannter Fehler</translation>
    </message>
</context>
<context>
    <name>OrbitPlan</name>
    <message>
        <location filename="../windows/orbits_plan.cpp" line="+106"/>
        <source>Dwarf planet %1</source>
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
        <location filename="../astro/core/body.h" line="+30"/>
        <location filename="../windows/tonight_window_report.cpp" line="+283"/>
        <source>Moon</source>
        <translation>Mond</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Sun</source>
        <translation>Sonne</translation>
    </message>
    <message>
        <location line="+1"/>
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
</context>
<context>
    <name>PlanetData</name>
    <message>
        <location filename="../astro/reports/planet_info.cpp" line="+15"/>
        <source>Mean distance %.3f million km = %.3f AU</source>
        <translation>Sonnenentfernung %.3f Mio. km = %.3f AE</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Orbital period %.3f d = %.7f a</source>
        <translation>Umlaufzeit %.3f d = %.7f a</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Rotation period %.6f d</source>
        <translation>Rotationsdauer %.6f d</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+12"/>
        <location line="+12"/>
        <location line="+12"/>
        <location line="+12"/>
        <location line="+12"/>
        <source>Orbital velocity %.2f km/s</source>
        <translation>Bahngeschwindigkeit %.2f km/s</translation>
    </message>
    <message>
        <location line="-59"/>
        <source>Orbital inclination 7°00&apos;%.1f&quot;</source>
        <translation>Bahnneigung 7°00&apos;%.1f&quot;</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Orbital eccentricity %.8f</source>
        <translation>Bahnexzentrizität %.8f</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Radius 2439 km = %.3f R⊕</source>
        <translation>Radius 2439 km = %.3f Erdradien</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Mass %.2f·10²⁶ g = %.3f M⊕</source>
        <translation>Masse %.2f·10^26 g = %.3f Erdmassen</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+12"/>
        <location line="+12"/>
        <location line="+12"/>
        <location line="+12"/>
        <location line="+12"/>
        <source>Density %.2f g/cm³</source>
        <translation>Dichte %.2f g/cm³</translation>
    </message>
    <message>
        <location line="-59"/>
        <location line="+12"/>
        <location line="+12"/>
        <location line="+12"/>
        <location line="+12"/>
        <location line="+12"/>
        <source>Surface gravity %.3f g</source>
        <translation>Fallbeschleunigung %.3f g</translation>
    </message>
    <message>
        <location line="-59"/>
        <source>Temperature 350 °C (day side)</source>
        <translation>Temperatur 350 °C (Tagseite)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Mean distance %.1f million km = %.3f AU</source>
        <translation>Sonnenentfernung %.1f Mio. km = %.3f AE</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Orbital period %.3f d</source>
        <translation>Umlaufzeit %.3f d</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Rotation period %.2f d</source>
        <translation>Rotationsdauer %.2f d</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Orbital inclination 3°23&apos;%.1f&quot;</source>
        <translation>Bahnneigung 3°23&apos;%.1f&quot;</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+12"/>
        <location line="+12"/>
        <location line="+12"/>
        <location line="+12"/>
        <source>Orbital eccentricity %.3f</source>
        <translation>Bahnexzentrizität %.3f</translation>
    </message>
    <message>
        <location line="-47"/>
        <source>Diameter 12104 km</source>
        <translation>Durchmesser 12104 km</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Mass %.2f·10²⁴ kg = %.3f M⊕</source>
        <translation>Masse %.2f·10^24 kg = %.3f Erdmassen</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Temperature 480 °C (day side)</source>
        <translation>Temperatur 480 °C (Tagseite)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Mean distance %.2f million km = %.3f AU</source>
        <translation>Sonnenentfernung %.2f Mio. km = %.3f AE</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Orbital period %.2f d</source>
        <translation>Umlaufzeit %.2f d</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Rotation period 24 h 37 min 23 s</source>
        <translation>Rotationsdauer 24h 37 min 23s</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Orbital inclination 1°50&apos;%.1f&quot;</source>
        <translation>Bahnneigung 1°50&apos;%.1f&quot;</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Diameter 6794 km</source>
        <translation>Durchmesser 6794 km</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Mass %.3f·10²⁶ g = %.3f M⊕</source>
        <translation>Masse %.3f·10^26 g = %.3f Erdmassen</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Mean distance 778 million km = %.3f AU</source>
        <translation>Sonnenentfernung 778 Mio. km = %.3f AE</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Orbital period 11 years 321 days</source>
        <translation>Umlaufzeit 11 Jahre 321 Tage</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Rotation period 9 h 56 min</source>
        <translation>Rotationsdauer 9h 56min</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Orbital inclination 1°18&apos;%.1f&quot;</source>
        <translation>Bahnneigung 1°18&apos;%.1f&quot;</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Mass 318 M⊕</source>
        <translation>Masse 318 Erdmassen</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Mean distance 1427 million km = %.3f AU</source>
        <translation>Sonnenentfernung 1427 Mio. km = %.3f AE</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+12"/>
        <source>Orbital period %.2f years</source>
        <translation>Umlaufzeit %.2f Jahre</translation>
    </message>
    <message>
        <location line="-11"/>
        <source>Rotation period 10 h 39 min</source>
        <translation>Rotationsdauer 10h 39min</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Orbital inclination 2°29&apos;%.1f&quot;</source>
        <translation>Bahnneigung 2°29&apos;%.1f&quot;</translation>
    </message>
    <message>
        <location line="+3"/>
        <location line="+12"/>
        <source>Mass %.1f M⊕</source>
        <translation>Masse %.1f Erdmassen</translation>
    </message>
    <message>
        <location line="-7"/>
        <source>Mean distance 2871 million km = %.2f AU</source>
        <translation>Sonnenentfernung 2871 Mio. km = %.2f AE</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Rotation period 17 h 14 min</source>
        <translation>Rotationsdauer 17h 14min</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Orbital inclination %.3f°</source>
        <translation>Bahnneigung %.3f°</translation>
    </message>
    <message>
        <location line="-30"/>
        <source>Temperature -23 °C</source>
        <translation>Temperatur -23 °C</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Diameter 143800 km</source>
        <translation>Durchmesser 143800 km</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Temperature -128 °C</source>
        <translation>Temperatur -128 °C</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Diameter 120660 km</source>
        <translation>Durchmesser 120660 km</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Temperature -180 °C</source>
        <translation>Temperatur -180 °C</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Diameter 51118 km</source>
        <translation>Durchmesser 51118 km</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Temperature -193 °C</source>
        <translation>Temperatur -193 °C</translation>
    </message>
</context>
<context>
    <name>PlanetInfo</name>
    <message>
        <location filename="../windows/planet_window.cpp" line="+72"/>
        <source>Frame: </source>
        <translation>Bezugssystem: </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Heliocentric longitude %1, latitude %2</source>
        <translation>Heliozentrisch: Länge = %1, Breite = %2</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Radius vector %.2f AU</source>
        <translation>Radiusvektor %.2f AE</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Distance %.2f AU</source>
        <translation>Entfernung %.2f AE</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Light time %d min %d s</source>
        <translation>Lichtlaufzeit %d min %d s</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Geocentric longitude %1, latitude %2</source>
        <translation>Geozentrisch: Länge = %1, Breite = %2</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Right ascension %1h %2m, declination %3° %4&apos;</source>
        <translation>Rektaszension %1h %2 min, Deklination %3° %4&apos;</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Diameter %1&quot;</source>
        <translation>Durchmesser %1&quot;</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Magnitude %.2f</source>
        <translation>Visuelle Helligkeit %.2fm</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Rises %1, sets %2</source>
        <translation>Aufgang %1 / Untergang %2</translation>
    </message>
</context>
<context>
    <name>SkyChart</name>
    <message>
        <location filename="../chart/skychart.cpp" line="+26"/>
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
</context>
<context>
    <name>StarInfo</name>
    <message>
        <location filename="../chart/picking.cpp" line="+65"/>
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
        <source>Spectral class: </source>
        <translation>SpK = </translation>
    </message>
</context>
<context>
    <name>SunData</name>
    <message>
        <location filename="../windows/sun_window.cpp" line="+32"/>
        <source>Mean distance %.0f km</source>
        <translation>Mittl. Entfernung %.0f km</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Radius %.0f km = %.0f R⊕</source>
        <translation>Radius %.0f km = %.0f RE</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Volume %.3f·10¹⁸ km³</source>
        <translation>Volumen %.3f·10^18 km³</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Mass %.3f·10³⁰ kg</source>
        <translation>Masse %.3f·10^30 kg</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Density %.2f g/cm³</source>
        <translation>Dichte %.2f g/cm³</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Surface gravity %.1f g</source>
        <translation>Fallbeschleunigung %.1f g</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Apparent magnitude %.1f</source>
        <translation>Mittl. Helligkeit %.1f mag</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Temperature 5700 K</source>
        <translation>Temperatur 5700 K</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Absolute magnitude %.2f</source>
        <translation>Absolute Helligkeit %.2f mag</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Spectral class G2</source>
        <translation>Spektralklasse G2</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Luminosity class V</source>
        <translation>Leuchtkraftklasse V</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Age %.1f billion years</source>
        <translation>Alter %.1f Mrd. Jahre</translation>
    </message>
</context>
<context>
    <name>SunReport</name>
    <message>
        <location line="+80"/>
        <source>Date		%1.%2.%3</source>
        <translation>Datum	%1.%2.%3</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Day of year	</source>
        <translation>Tag des Jahres	</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Time		</source>
        <translation>Uhrzeit	</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Frame		</source>
        <translation>Bezugssystem	</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Declination	%.2f°</source>
        <translation>Deklination	%.2f°</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Right ascension	%dh%dmin</source>
        <translation>Rektaszension	%dh%dmin</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Constellation	</source>
        <translation>Sternbild	</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Hour angle	%.2f°</source>
        <translation>Stundenwinkel	%.2f°</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Azimuth		%.2f°</source>
        <translation>Azimut	%.2f°</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Altitude		%.2f°</source>
        <translation>Höhe	%.2f°</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Equation of time	%.2f min</source>
        <translation>Zeitgleichung	%.2f min</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Sidereal time	%1 h %2 min</source>
        <translation>Sternzeit	%1 h %2 min</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Distance		%.0f km</source>
        <translation>Entfernung	%.0f km</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Diameter		%1&apos; %2&quot;</source>
        <translation>Durchmesser	%1&apos; %2&quot;</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Sunrise		</source>
        <translation>Sonnenaufgang	</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>No rise</source>
        <translation>Kein Aufgang</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Sunset		</source>
        <translation>Sonnenuntergang	</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>No set</source>
        <translation>Kein Untergang</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Culmination	</source>
        <translation>Kulmination	</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>No culmination</source>
        <translation>Keine Kulmination</translation>
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
    <name>Tonight</name>
    <message>
        <location filename="../windows/tonight_window_report.cpp" line="-247"/>
        <source>above the horizon all night</source>
        <translation>die ganze Nacht über dem Horizont</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+13"/>
        <source>below the horizon all night</source>
        <translation>die ganze Nacht unter dem Horizont</translation>
    </message>
    <message>
        <location line="-12"/>
        <source>rises %1</source>
        <translation>Aufgang %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>culminates %1 at %2</source>
        <translation>Kulmination %1 in %2 Höhe</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>sets %1</source>
        <translation>Untergang %1</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>best %1 at %2</source>
        <translation>am besten %1 in %2 Höhe</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>too close to the Sun</source>
        <translation>zu nahe an der Sonne</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>the sky does not get dark</source>
        <translation>der Himmel wird nicht dunkel</translation>
    </message>
    <message>
        <location line="+116"/>
        <source>The night of %1 in %2 (%3)</source>
        <translation>Die Nacht vom %1 in %2 (%3)</translation>
    </message>
    <message>
        <location line="+4"/>
        <location line="+30"/>
        <source>none</source>
        <translation>entfällt</translation>
    </message>
    <message>
        <location line="-28"/>
        <source>Sunset</source>
        <translation>Sonnenuntergang</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>End of civil twilight</source>
        <translation>Ende der bürgerlichen Dämmerung</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>End of nautical twilight</source>
        <translation>Ende der nautischen Dämmerung</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>End of astronomical twilight</source>
        <translation>Ende der astronomischen Dämmerung</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Start of astronomical twilight</source>
        <translation>Beginn der astronomischen Dämmerung</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Start of nautical twilight</source>
        <translation>Beginn der nautischen Dämmerung</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Start of civil twilight</source>
        <translation>Beginn der bürgerlichen Dämmerung</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Sunrise</source>
        <translation>Sonnenaufgang</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>No astronomical night: the Sun stays above -18° (lowest %1)</source>
        <translation>Keine astronomische Nacht: Die Sonne bleibt über -18° (am tiefsten %1)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Polar day: the Sun does not set</source>
        <translation>Polartag: Die Sonne geht nicht unter</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Polar night: the Sun does not rise</source>
        <translation>Polarnacht: Die Sonne geht nicht auf</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Moon</source>
        <translation>Mond</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Moon phase</source>
        <translation>Mondphase</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 % illuminated, %2</source>
        <translation>zu %1 % beleuchtet, %2</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>waxing</source>
        <translation>zunehmend</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>waning</source>
        <translation>abnehmend</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Dark without the Moon</source>
        <translation>Dunkel ohne Mond</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 (%2 h %3 min)</source>
        <translation>%1 (%2 h %3 min)</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>%1 mag</source>
        <translation>%1 mag</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Culminating in the dark</source>
        <translation>Kulminieren bei Dunkelheit</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Deep-sky objects culminating</source>
        <translation>Deep-Sky-Objekte, die bei Dunkelheit kulminieren</translation>
    </message>
    <message>
        <location line="+55"/>
        <source>%1 – the night of %2</source>
        <translation>%1 – die Nacht vom %2</translation>
    </message>
</context>
<context>
    <name>Visibility</name>
    <message>
        <location filename="../windows/wincommon.cpp" line="+7"/>
        <source>visible</source>
        <translation>sichtbar</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>not visible</source>
        <translation>unsichtbar</translation>
    </message>
</context>
<context>
    <name>Weekday</name>
    <message>
        <location filename="../windows/event_calendar_window.cpp" line="-36"/>
        <location filename="../windows/moon_phase_calendar_window.cpp" line="+7"/>
        <source>Mo</source>
        <translation>Mo</translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../windows/moon_phase_calendar_window.cpp" line="+1"/>
        <source>Tu</source>
        <translation>Di</translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../windows/moon_phase_calendar_window.cpp" line="+0"/>
        <source>We</source>
        <translation>Mi</translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../windows/moon_phase_calendar_window.cpp" line="+1"/>
        <source>Th</source>
        <translation>Do</translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../windows/moon_phase_calendar_window.cpp" line="+0"/>
        <source>Fr</source>
        <translation>Fr</translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../windows/moon_phase_calendar_window.cpp" line="+1"/>
        <source>Sa</source>
        <translation>Sa</translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../windows/moon_phase_calendar_window.cpp" line="-3"/>
        <source>Su</source>
        <translation>So</translation>
    </message>
</context>
<context>
    <name>noctaris::AboutWindow</name>
    <message>
        <location filename="../windows/about_window.cpp" line="+27"/>
        <source>About Noctaris</source>
        <translation>Über Noctaris</translation>
    </message>
</context>
<context>
    <name>noctaris::EphemerisWindow</name>
    <message>
        <location filename="../windows/ephemeris_window.cpp" line="+68"/>
        <source>Ephemeris table</source>
        <translation>Ephemeriden</translation>
    </message>
    <message>
        <location line="+34"/>
        <source>Export…</source>
        <translation>Exportieren…</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>Export the ephemeris table</source>
        <translation>Ephemeriden exportieren</translation>
    </message>
</context>
<context>
    <name>noctaris::EventCalendarWindow</name>
    <message>
        <location filename="../windows/event_calendar_window.cpp" line="+232"/>
        <source>Astronomical calendar</source>
        <translation>Astronomischer Kalender</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Year</source>
        <translation>Jahr</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Show</source>
        <translation>Anzeigen</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Export…</source>
        <translation>Exportieren…</translation>
    </message>
    <message>
        <location line="+81"/>
        <source>Export the astronomical calendar</source>
        <translation>Astronomischen Kalender exportieren</translation>
    </message>
</context>
<context>
    <name>noctaris::FindInfoBox</name>
    <message>
        <location filename="../app/find_info_box.cpp" line="+17"/>
        <source>Find</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Go to its rising</source>
        <translation>Zum Aufgang gehen</translation>
    </message>
    <message>
        <location line="+28"/>
        <source>“%1” is not known</source>
        <translation>„%1“ ist nicht bekannt</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Did you mean one of these?</source>
        <translation>Meinten Sie eines davon?</translation>
    </message>
</context>
<context>
    <name>noctaris::MainWindow</name>
    <message>
        <location filename="../app/main_window.cpp" line="+355"/>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <location filename="../app/main_window_print.cpp" line="+31"/>
        <source>Save chart</source>
        <translation>Karte speichern</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>PNG image</source>
        <translation>PNG-Bild</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>PDF document, to print</source>
        <translation>PDF-Dokument zum Drucken</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>SVG drawing, to print</source>
        <translation>SVG-Zeichnung zum Drucken</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>the picture could not be encoded</source>
        <translation>das Bild ließ sich nicht codieren</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>the chart could not be drawn</source>
        <translation>die Karte ließ sich nicht zeichnen</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Print chart</source>
        <translation>Karte drucken</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>The printer could not be opened.</source>
        <translation>Der Drucker ließ sich nicht öffnen.</translation>
    </message>
    <message>
        <location filename="../app/main_window_menu.cpp" line="+68"/>
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
        <source>Time step</source>
        <translation>Zeitschritt</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Reverse timeline</source>
        <translation>Zeitrichtung umkehren</translation>
    </message>
    <message>
        <location line="+8"/>
        <location line="+1"/>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Time</source>
        <translation>Uhrzeit</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Stars</source>
        <comment>star names</comment>
        <translation>S</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Star names: each click shows more of them, then none</source>
        <translation>Sternnamen: jeder Klick zeigt mehr davon, dann keine</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Constellations</source>
        <comment>constellation names</comment>
        <translation>SB</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Constellation names: each click shows another kind, then none</source>
        <translation>Sternbildnamen: jeder Klick zeigt eine andere Art, dann keine</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Constellation lines</source>
        <translation>Sternbildlinien</translation>
    </message>
    <message>
        <location line="+29"/>
        <source> Place</source>
        <translation> Ort</translation>
    </message>
    <message>
        <location line="-11"/>
        <source>Observing site</source>
        <translation>Beobachtungsort</translation>
    </message>
    <message>
        <location line="+17"/>
        <location line="+2"/>
        <source>Azimuth</source>
        <translation>Azimut</translation>
    </message>
    <message>
        <location line="+37"/>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Save chart as…</source>
        <translation>&amp;Karte speichern unter…</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Print…</source>
        <translation>&amp;Drucken…</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Add place…</source>
        <translation>Ort &amp;hinzufügen…</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Remove this place</source>
        <translation>Eigenen Ort &amp;entfernen</translation>
    </message>
    <message>
        <location line="+3"/>
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
        <source>&amp;Altitude lines</source>
        <translation>Höhen&amp;linien</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>M&amp;oon</source>
        <translation>M&amp;ond</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Use summer &amp;time</source>
        <translation>Sommer&amp;zeit berücksichtigen</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>&amp;Horizon landscape</source>
        <translation>Horizont&amp;bild</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&amp;Star names</source>
        <translation>&amp;Sternnamen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Constellation &amp;names</source>
        <translation>Sternbild&amp;namen</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Constellation &amp;lines</source>
        <translation>Sternbildl&amp;inien</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Constellation &amp;boundaries</source>
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
        <location line="+1"/>
        <source>&amp;Deep-sky objects</source>
        <translation>Deep-Sky-Ob&amp;jekte</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>M&amp;ilky Way</source>
        <translation>Milchst&amp;raße</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&amp;Precise positions</source>
        <translation>Genaue &amp;Positionen</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Classic drawing</source>
        <translation>Klassische &amp;Darstellung</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>S&amp;ky colour by the Sun</source>
        <translation>Himmels&amp;farbe nach der Sonne</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Night &amp;vision</source>
        <translation>Na&amp;chtsicht</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Di&amp;rection</source>
        <translation>&amp;Richtung</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Facing &amp;east</source>
        <translation>&amp;Osten in der Mitte</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Facing &amp;south</source>
        <translation>&amp;Süden in der Mitte</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Facing &amp;west</source>
        <translation>&amp;Westen in der Mitte</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Facing &amp;north</source>
        <translation>&amp;Norden in der Mitte</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;View</source>
        <translation>A&amp;nsicht</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Information</source>
        <translation>&amp;Zusatzinformationen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Moon data</source>
        <translation>&amp;Mondparameter</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Sun data</source>
        <translation>&amp;Sonnenparameter</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Ephemeris table</source>
        <translation>&amp;Ephemeridentabelle</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Galilean moons of Jupiter</source>
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
        <location line="+1"/>
        <source>Ton&amp;ight</source>
        <translation>&amp;Heute Nacht</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Help</source>
        <translation>&amp;?</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;About Noctaris</source>
        <translation>Ü&amp;ber Noctaris ...</translation>
    </message>
    <message>
        <location filename="../app/main_window_time.cpp" line="+190"/>
        <source>“%1” is not in the list of places (closest: %2). File ▸ Add place… adds a place of your own.</source>
        <translation>„%1“ steht nicht in der Ortsliste (am ähnlichsten: %2). Datei ▸ Ort hinzufügen… legt einen eigenen Ort an.</translation>
    </message>
    <message>
        <location line="+44"/>
        <source>The animation stopped at the beginning of the calendar (4713 BC).</source>
        <translation>Die Animation hat am Anfang des Kalenders (4713 v. Chr.) angehalten.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The animation stopped at the end of the calendar (31 December 9999).</source>
        <translation>Die Animation hat am Ende des Kalenders (31. Dezember 9999) angehalten.</translation>
    </message>
    <message>
        <location filename="../app/main_window_view.cpp" line="+28"/>
        <source>Zoom &amp;in</source>
        <translation>Ver&amp;größern</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Zoom &amp;out</source>
        <translation>Ver&amp;kleinern</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Default view</source>
        <translation>&amp;Standardansicht</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>&amp;Full screen</source>
        <translation>&amp;Vollbild</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Leave full screen</source>
        <translation>Vollbild verlassen</translation>
    </message>
    <message>
        <location filename="../app/main_window_find.cpp" line="+22"/>
        <source>Find (Ctrl+F)</source>
        <translation>Suchen (Strg+F)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Find a star, planet, constellation or deep-sky object by name</source>
        <translation>Einen Stern, Planeten, ein Sternbild oder ein Deep-Sky-Objekt nach dem Namen suchen</translation>
    </message>
</context>
<context>
    <name>noctaris::MoonPhaseCalendarWindow</name>
    <message>
        <location filename="../windows/moon_phase_calendar_window.cpp" line="+152"/>
        <source>Moon phase calendar</source>
        <translation>Mondphasenkalender</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Choose a date</source>
        <translation>Datumseingabe</translation>
    </message>
</context>
<context>
    <name>noctaris::MoonWindow</name>
    <message>
        <location filename="../windows/moon_window.cpp" line="+14"/>
        <source>Moon data</source>
        <translation>Monddaten</translation>
    </message>
</context>
<context>
    <name>noctaris::OrbitsWindow</name>
    <message>
        <location filename="../windows/orbits_window.cpp" line="+67"/>
        <source>Orbits</source>
        <translation>Planetenbahnen</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <location line="+27"/>
        <source>Objects</source>
        <translation>Objekte</translation>
    </message>
    <message>
        <location line="+26"/>
        <source>Time step                days</source>
        <translation>Schritt                    Tage</translation>
    </message>
    <message>
        <location line="+17"/>
        <location line="+107"/>
        <source>Simulation</source>
        <translation>Simulation</translation>
    </message>
    <message>
        <location line="-100"/>
        <source>Scale</source>
        <translation>Maßstab</translation>
    </message>
    <message>
        <location line="+103"/>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
</context>
<context>
    <name>noctaris::OwnPlaceDialog</name>
    <message>
        <location filename="../app/own_place_dialog.cpp" line="+22"/>
        <source>Please enter the latitude.</source>
        <translation>Bitte die geographische Breite eingeben.</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Please enter the longitude.</source>
        <translation>Bitte die geographische Länge eingeben.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The latitude is not a number of degrees (for example 50.84 or 50° 50′ 12″ N).</source>
        <translation>Die Breite ist keine Gradzahl (zum Beispiel 50,84 oder 50° 50′ 12″ N).</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The longitude is not a number of degrees (for example 12.85 or 12° 51′ 16″ E).</source>
        <translation>Die Länge ist keine Gradzahl (zum Beispiel 12,85 oder 12° 51′ 16″ O).</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>A latitude takes N or S (and then no sign).</source>
        <translation>Zur Breite gehört N oder S (und dann kein Vorzeichen).</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>A longitude takes E or W (and then no sign).</source>
        <translation>Zur Länge gehört O (oder E) oder W (und dann kein Vorzeichen).</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Minutes and seconds must be less than 60.</source>
        <translation>Minuten und Sekunden müssen kleiner als 60 sein.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The latitude must lie between 90° S and 90° N.</source>
        <translation>Die Breite liegt zwischen 90° S und 90° N.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The longitude must lie between 180° W and 180° E.</source>
        <translation>Die Länge liegt zwischen 180° W und 180° O.</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Add place</source>
        <translation>Ort hinzufügen</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>e.g. 50.84 or 50° 50′ 12″ N</source>
        <translation>z. B. 50,84 oder 50° 50′ 12″ N</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>e.g. 12.85 or 12° 51′ 16″ E</source>
        <translation>z. B. 12,85 oder 12° 51′ 16″ O</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>&amp;Name:</source>
        <translation>&amp;Name:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Latitude:</source>
        <translation>&amp;Breite:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>L&amp;ongitude:</source>
        <translation>&amp;Länge:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Time &amp;zone:</source>
        <translation>&amp;Zeitzone:</translation>
    </message>
    <message>
        <location line="+33"/>
        <source>Please enter a name for the place.</source>
        <translation>Bitte einen Namen für den Ort eingeben.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The name can only use Western European letters.</source>
        <translation>Der Name kann nur westeuropäische Buchstaben enthalten.</translation>
    </message>
    <message>
        <location line="+2"/>
        <location line="+3"/>
        <source>A place named &quot;%1&quot; already exists.</source>
        <translation>Einen Ort „%1“ gibt es schon.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Please choose a time zone.</source>
        <translation>Bitte eine Zeitzone wählen.</translation>
    </message>
</context>
<context>
    <name>noctaris::PlanetWindow</name>
    <message>
        <location filename="../windows/planet_window.cpp" line="+51"/>
        <source>Planet data</source>
        <translation>Planetendaten</translation>
    </message>
</context>
<context>
    <name>noctaris::SunWindow</name>
    <message>
        <location filename="../windows/sun_window.cpp" line="+13"/>
        <source>Sun data</source>
        <translation>Sonnendaten</translation>
    </message>
</context>
<context>
    <name>noctaris::TerminatorWindow</name>
    <message>
        <location filename="../windows/terminator_window.cpp" line="+83"/>
        <source>Terminator</source>
        <translation>Tag-Nacht-Grenze</translation>
    </message>
    <message>
        <location line="+40"/>
        <source>Day</source>
        <translation>Tag</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Month</source>
        <translation>Monat</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Hour</source>
        <translation>Stunde</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Minute</source>
        <translation>Minute</translation>
    </message>
    <message>
        <location line="-18"/>
        <source>Change minutes</source>
        <translation>Minuten ändern</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Change days</source>
        <translation>Tage ändern</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Use summer time</source>
        <translation>Sommerzeit berücksichtigen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Sun position</source>
        <translation>Sonnenstand</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Follow the clock</source>
        <translation>Aktualisieren</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Grid</source>
        <translation>Gradnetz</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Show</source>
        <translation>Anzeigen</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+167"/>
        <source>Simulation</source>
        <translation>Simulation</translation>
    </message>
    <message>
        <location line="-166"/>
        <source>Current time</source>
        <translation>Aktuelle Zeit</translation>
    </message>
    <message>
        <location line="+69"/>
        <source>Sun symbol</source>
        <translation>Sonnensymbol</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>World outline</source>
        <translation>Weltkarte</translation>
    </message>
    <message>
        <location line="+60"/>
        <source>Drawing the map</source>
        <translation>Zeichnen der Karte</translation>
    </message>
    <message>
        <location line="+36"/>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
</context>
<context>
    <name>noctaris::TonightWindow</name>
    <message>
        <location filename="../windows/tonight_window.cpp" line="+72"/>
        <source>Tonight</source>
        <translation>Heute Nacht</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Night of</source>
        <translation>Nacht vom</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Add a star, constellation or deep-sky object</source>
        <translation>Stern, Sternbild oder Deep-Sky-Objekt hinzufügen</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Remove added</source>
        <translation>Hinzugefügte entfernen</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>Screen colours</source>
        <translation>Bildschirmfarben</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Night vision</source>
        <translation>Nachtsicht</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Print colours</source>
        <translation>Druckfarben</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Export plot…</source>
        <translation>Diagramm exportieren…</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Print plot…</source>
        <translation>Diagramm drucken…</translation>
    </message>
    <message>
        <location line="+80"/>
        <source>Not found: %1</source>
        <translation>Nicht gefunden: %1</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The Sun, the Moon and the planets are always in the report.</source>
        <translation>Sonne, Mond und Planeten stehen immer im Bericht.</translation>
    </message>
    <message>
        <location line="+37"/>
        <source>%1, altitude %2°</source>
        <translation>%1, Höhe %2°</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>%1, altitude %2°: %3 at %4°</source>
        <translation>%1, Höhe %2°: %3 in %4°</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Export plot</source>
        <translation>Diagramm exportieren</translation>
    </message>
</context>
</TS>
