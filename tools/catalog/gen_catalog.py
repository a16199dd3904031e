#!/usr/bin/python3
"""Builds Noctaris's embedded catalog resources from open data.

Writes eleven zlib streams (level 9) into resources/data/:
  STAR0 stars, STAR3 star names, STAR4 star numbers, STAR6 star details, STAR5 constellations,
  STAR7 constellation genitives,
  STAR1 constellation figures, STAR2 constellation borders,
  ORT places with coordinates and zones, ORTE place names, ERDE world outline.
Every stream inflates to Windows-1252 text with CR LF line ends. The output depends only on
the input files and the system's tzdata, so a rerun reproduces the committed files byte for byte.
"""

import argparse
import json
import math
import os
import sys
import unicodedata
import zlib
from datetime import datetime
from zoneinfo import ZoneInfo

MAG_LIMIT = 5.0          # stars brighter than this enter the catalog
MATCH_ARCMIN = 1.0       # position tolerance when matching to the Hipparcos-numbered list
MATCH_MAG = 0.3          # magnitude tolerance of that match
MIN_PARALLAX_MAS = 1.0   # below this the parallax gives no meaningful distance
PLACE_TOTAL = 3400       # places in ORT/ORTE
DEDUP_KM = 12.0          # a place of the other source this close (same country) is the same town
TZ_YEAR = 2024           # January and July of this year give the standard offset

TWO_PI = 2.0 * math.pi

GREEK = {
    'α': 'Alpha', 'β': 'Beta', 'γ': 'Gamma', 'δ': 'Delta', 'ε': 'Epsilon', 'ζ': 'Zeta',
    'η': 'Eta', 'θ': 'Theta', 'ι': 'Iota', 'κ': 'Kappa', 'λ': 'Lambda', 'μ': 'Mu', 'ν': 'Nu',
    'ξ': 'Xi', 'ο': 'Omicron', 'π': 'Pi', 'ρ': 'Rho', 'σ': 'Sigma', 'τ': 'Tau', 'υ': 'Upsilon',
    'φ': 'Phi', 'χ': 'Chi', 'ψ': 'Psi', 'ω': 'Omega',
}
GREEK_ABBR = {
    'alp': 'Alpha', 'bet': 'Beta', 'gam': 'Gamma', 'del': 'Delta', 'eps': 'Epsilon',
    'zet': 'Zeta', 'eta': 'Eta', 'the': 'Theta', 'iot': 'Iota', 'kap': 'Kappa', 'lam': 'Lambda',
    'mu': 'Mu', 'nu': 'Nu', 'xi': 'Xi', 'omi': 'Omicron', 'pi': 'Pi', 'rho': 'Rho', 'sig': 'Sigma',
    'tau': 'Tau', 'ups': 'Upsilon', 'phi': 'Phi', 'chi': 'Chi', 'psi': 'Psi', 'ome': 'Omega',
}
SPECTRAL_CLASS = {'W': 1, 'O': 1, 'B': 2, 'A': 3, 'F': 4, 'G': 5, 'K': 6, 'M': 7}

# International vehicle registration codes (distinguishing signs) by ISO 3166 alpha-2 code.
# Places of territories without a sign of their own get their ISO alpha-3 code.
VEHICLE_CODE = {
    'AD': 'AND', 'AE': 'UAE', 'AF': 'AFG', 'AG': 'AG', 'AL': 'AL', 'AM': 'AM', 'AO': 'ANG',
    'AR': 'RA', 'AT': 'A', 'AU': 'AUS', 'AW': 'ARU', 'AX': 'AX', 'AZ': 'AZ', 'BA': 'BIH',
    'BB': 'BDS', 'BD': 'BD', 'BE': 'B', 'BF': 'BF', 'BG': 'BG', 'BH': 'BRN', 'BI': 'RU',
    'BJ': 'DY', 'BN': 'BRU', 'BO': 'BOL', 'BR': 'BR', 'BS': 'BS', 'BT': 'BHT', 'BW': 'RB',
    'BY': 'BY', 'BZ': 'BH', 'CA': 'CDN', 'CD': 'CGO', 'CF': 'RCA', 'CG': 'RCB', 'CH': 'CH',
    'CI': 'CI', 'CL': 'RCH', 'CM': 'CAM', 'CN': 'CHN', 'CO': 'CO', 'CR': 'CR', 'CU': 'C',
    'CV': 'CV', 'CY': 'CY', 'CZ': 'CZ', 'DE': 'D', 'DJ': 'DJI', 'DK': 'DK', 'DM': 'WD',
    'DO': 'DOM', 'DZ': 'DZ', 'EC': 'EC', 'EE': 'EST', 'EG': 'ET', 'ER': 'ER', 'ES': 'E',
    'ET': 'ETH', 'FI': 'FIN', 'FJ': 'FJI', 'FM': 'FSM', 'FO': 'FO', 'FR': 'F', 'GA': 'G',
    'GB': 'GB', 'GD': 'WG', 'GE': 'GE', 'GG': 'GBG', 'GH': 'GH', 'GI': 'GBZ', 'GL': 'KN',
    'GM': 'WAG', 'GN': 'RG', 'GQ': 'GQ', 'GR': 'GR', 'GT': 'GCA', 'GW': 'RGB', 'GY': 'GUY',
    'HK': 'HK', 'HN': 'HN', 'HR': 'HR', 'HT': 'RH', 'HU': 'H', 'ID': 'RI', 'IE': 'IRL',
    'IL': 'IL', 'IM': 'GBM', 'IN': 'IND', 'IQ': 'IRQ', 'IR': 'IR', 'IS': 'IS', 'IT': 'I',
    'JE': 'GBJ', 'JM': 'JA', 'JO': 'HKJ', 'JP': 'J', 'KE': 'EAK', 'KG': 'KS', 'KH': 'K',
    'KI': 'KIR', 'KM': 'COM', 'KN': 'SCN', 'KP': 'KP', 'KR': 'ROK', 'KW': 'KWT', 'KZ': 'KZ',
    'LA': 'LAO', 'LB': 'RL', 'LC': 'WL', 'LI': 'FL', 'LK': 'CL', 'LR': 'LB', 'LS': 'LS',
    'LT': 'LT', 'LU': 'L', 'LV': 'LV', 'LY': 'LAR', 'MA': 'MA', 'MC': 'MC', 'MD': 'MD',
    'ME': 'MNE', 'MG': 'RM', 'MH': 'MH', 'MK': 'NMK', 'ML': 'RMM', 'MM': 'MYA', 'MN': 'MGL',
    'MO': 'MO', 'MR': 'RIM', 'MT': 'M', 'MU': 'MS', 'MV': 'MV', 'MW': 'MW', 'MX': 'MEX',
    'MY': 'MAL', 'MZ': 'MOC', 'NA': 'NAM', 'NE': 'RN', 'NG': 'WAN', 'NI': 'NIC', 'NL': 'NL',
    'NO': 'N', 'NP': 'NEP', 'NR': 'NAU', 'NZ': 'NZ', 'OM': 'OM', 'PA': 'PA', 'PE': 'PE',
    'PG': 'PNG', 'PH': 'RP', 'PK': 'PK', 'PL': 'PL', 'PT': 'P', 'PW': 'PAL', 'PY': 'PY',
    'QA': 'Q', 'RO': 'RO', 'RS': 'SRB', 'RU': 'RUS', 'RW': 'RWA', 'SA': 'KSA', 'SB': 'SOL',
    'SC': 'SY', 'SD': 'SUD', 'SE': 'S', 'SG': 'SGP', 'SI': 'SLO', 'SK': 'SK', 'SL': 'WAL',
    'SM': 'RSM', 'SN': 'SN', 'SO': 'SO', 'SR': 'SME', 'SS': 'SSD', 'ST': 'STP', 'SV': 'ES',
    'SY': 'SYR', 'SZ': 'SD', 'TD': 'TCH', 'TG': 'TG', 'TH': 'T', 'TJ': 'TJ', 'TL': 'TL',
    'TM': 'TM', 'TN': 'TN', 'TO': 'TO', 'TR': 'TR', 'TT': 'TT', 'TV': 'TUV', 'TW': 'RC',
    'TZ': 'EAT', 'UA': 'UA', 'UG': 'EAU', 'US': 'USA', 'UY': 'ROU', 'UZ': 'UZ', 'VA': 'V',
    'VC': 'WV', 'VE': 'YV', 'VN': 'VN', 'VU': 'VU', 'WS': 'WS', 'XK': 'RKS', 'YE': 'YE',
    'ZA': 'ZA', 'ZM': 'Z', 'ZW': 'ZW',
}

# Overseas departments that are part of the state whose sign they carry.
PART_OF = {'GF': 'FR', 'GP': 'FR', 'MQ': 'FR', 'RE': 'FR', 'YT': 'FR'}

# German forms of well-known places whose names in the sources differ, by (country, source name).
GERMAN_NAMES = {
    ('DE', 'Munich'): 'München', ('DE', 'Cologne'): 'Köln', ('DE', 'Nuremberg'): 'Nürnberg',
    ('DE', 'Hanover'): 'Hannover', ('DE', 'Brunswick'): 'Braunschweig',
    ('AT', 'Vienna'): 'Wien', ('AT', 'Klagenfurt am Wörthersee'): 'Klagenfurt',
    ('CH', 'Zurich'): 'Zürich', ('CH', 'Geneva'): 'Genf', ('CH', 'Genève'): 'Genf',
    ('CH', 'Lucerne'): 'Luzern', ('CH', 'Berne'): 'Bern', ('CH', 'Neuchâtel'): 'Neuenburg',
    ('CH', 'Fribourg'): 'Freiburg im Üechtland', ('CH', 'Biel/Bienne'): 'Biel',
    ('IT', 'Rome'): 'Rom', ('IT', 'Milan'): 'Mailand', ('IT', 'Naples'): 'Neapel',
    ('IT', 'Venice'): 'Venedig', ('IT', 'Florence'): 'Florenz', ('IT', 'Genoa'): 'Genua',
    ('IT', 'Turin'): 'Turin', ('IT', 'Bolzano'): 'Bozen', ('IT', 'Trieste'): 'Triest',
    ('IT', 'Padova'): 'Padua', ('IT', 'Syracuse'): 'Syrakus', ('IT', 'Mantova'): 'Mantua',
    ('RU', 'Moscow'): 'Moskau', ('RU', 'Saint Petersburg'): 'Sankt Petersburg',
    ('RU', 'St. Petersburg'): 'Sankt Petersburg',
    ('CZ', 'Prague'): 'Prag', ('CZ', 'Brno'): 'Brünn', ('CZ', 'Pilsen'): 'Pilsen',
    ('CZ', 'Plzen'): 'Pilsen',
    ('PL', 'Warsaw'): 'Warschau', ('PL', 'Krakow'): 'Krakau', ('PL', 'Kraków'): 'Krakau',
    ('PT', 'Lisbon'): 'Lissabon', ('DK', 'Copenhagen'): 'Kopenhagen',
    ('BE', 'Brussels'): 'Brüssel', ('BE', 'Antwerp'): 'Antwerpen', ('BE', 'Liège'): 'Lüttich',
    ('BE', 'Ghent'): 'Gent', ('BE', 'Bruges'): 'Brügge',
    ('NL', 'The Hague'): 'Den Haag', ('LU', 'Luxembourg'): 'Luxemburg',
    ('FR', 'Strasbourg'): 'Straßburg', ('FR', 'Nice'): 'Nizza',
    ('GR', 'Athens'): 'Athen', ('RS', 'Belgrade'): 'Belgrad', ('RO', 'Bucharest'): 'Bukarest',
    ('UA', 'Kyiv'): 'Kiew', ('UA', 'Kiev'): 'Kiew', ('BY', 'Minsk'): 'Minsk',
    ('CY', 'Nicosia'): 'Nikosia', ('ES', 'Seville'): 'Sevilla', ('TR', 'Istanbul'): 'Istanbul',
    ('CN', 'Beijing'): 'Peking', ('JP', 'Tokyo'): 'Tokio', ('EG', 'Cairo'): 'Kairo',
    ('MX', 'Mexico City'): 'Mexiko-Stadt', ('DZ', 'Algiers'): 'Algier', ('IR', 'Tehran'): 'Teheran',
    ('IQ', 'Baghdad'): 'Bagdad', ('SY', 'Damascus'): 'Damaskus', ('ZA', 'Cape Town'): 'Kapstadt',
    ('SG', 'Singapore'): 'Singapur', ('IN', 'New Delhi'): 'Neu-Delhi', ('CU', 'Havana'): 'Havanna',
    ('US', 'Washington, D.C.'): 'Washington', ('MA', 'Marrakesh'): 'Marrakesch',
    ('SA', 'Riyadh'): 'Riad', ('LB', 'Beirut'): 'Beirut', ('ET', 'Addis Ababa'): 'Addis Abeba',
    ('GB', 'Edinburgh'): 'Edinburgh', ('IS', 'Reykjavík'): 'Reykjavík',
}

# English forms of places whose source name is the local one (Natural Earth's names), and one
# whose source name carries a comma, which would read as the start of the country sign.
ENGLISH_NAMES = {
    ('DE', 'Köln'): 'Cologne', ('CH', 'Genève'): 'Geneva', ('CH', 'Sitten'): 'Sion',
    ('US', 'Washington, D.C.'): 'Washington',
}

# English vernacular names where the source's are wrong or ambiguous: the Dippers are asterisms
# of the Bears, and two different constellations would both read "Compass".
ENGLISH_CONSTELLATIONS = {
    'UMa': 'Great Bear', 'UMi': 'Little Bear', 'Cir': 'Compasses', 'Pyx': "Mariner's Compass",
    'Aqr': 'Water Bearer', 'Oph': 'Serpent Bearer', 'Men': 'Table Mountain', 'Cha': 'Chameleon',
    'Cae': 'Chisel',
}

# Letters without a Windows-1252 form that decomposition does not reduce to a base letter.
TRANSLIT = {
    'Ł': 'L', 'ł': 'l', 'Đ': 'D', 'đ': 'd', 'ı': 'i', 'Ħ': 'H', 'ħ': 'h', 'ə': 'e', 'Ə': 'E',
    'ʻ': "'", 'ʼ': "'", 'ʿ': "'", 'ʾ': "'", '‘': "'", '’': "'", 'Ŧ': 'T', 'ŧ': 't',
    'Ð': 'D', 'ŀ': 'l', 'ĸ': 'k', 'ŋ': 'ng', 'Ŋ': 'Ng', 'ǂ': '', '\u2009': ' ', '\u00a0': ' ',
}


# ---- helpers ---------------------------------------------------------------------------------

def to_cp1252(text):
    """Text in Windows-1252; other characters transliterated (accents dropped where needed)."""
    out = []
    for ch in text:
        if ch in TRANSLIT:
            out.append(TRANSLIT[ch])
            continue
        try:
            ch.encode('cp1252')
            out.append(ch)
            continue
        except UnicodeEncodeError:
            pass
        for part in unicodedata.normalize('NFKD', ch):
            if unicodedata.combining(part):
                continue
            try:
                part.encode('cp1252')
                out.append(part)
            except UnicodeEncodeError:
                out.append(TRANSLIT.get(part, ''))
    return ''.join(out)


def num(x, decimals):
    """Fixed decimals with trailing zeros removed; never "-0"."""
    s = f'{x:.{decimals}f}'
    if '.' in s:
        s = s.rstrip('0').rstrip('.')
    if s in ('-0', ''):
        s = '0'
    return s


def write_resource(outdir, name, lines):
    text = ''.join(line + '\r\n' for line in lines)
    data = text.encode('cp1252')
    packed = zlib.compress(data, 9)
    assert packed[:2] == b'\x78\xda'
    with open(os.path.join(outdir, name + '.zlib'), 'wb') as f:
        f.write(packed)
    return len(lines), len(packed)


def load_json(path):
    with open(path, encoding='utf-8') as f:
        return json.load(f)


def wrap180(d):
    return (d + 180.0) % 360.0 - 180.0


# ---- constellation membership from the borders --------------------------------------------------

class ConstellationFinder:
    """Constellation of a sky position by counting border crossings on the meridian arc from the
    position to the north pole: an odd count means inside (the reverse for the polar one)."""

    def __init__(self, borders):
        self.segments = {}
        for feat in borders['features']:
            for abbr in feat['ids'].split(','):
                segs = self.segments.setdefault(abbr, [])
                for line in feat['geometry']['coordinates']:
                    for p, q in zip(line, line[1:]):
                        segs.append((p[0] % 360.0, p[1], q[0] % 360.0, q[1]))

    def crossings(self, abbr, ra, dec):
        n = 0
        for a1, d1, a2, d2 in self.segments[abbr]:
            span = wrap180(a2 - a1)
            if span == 0.0:
                continue
            off = wrap180(ra - a1)
            t = off / span
            if span > 0 and not (0.0 <= off < span):
                continue
            if span < 0 and not (span < off <= 0.0):
                continue
            if d1 + t * (d2 - d1) > dec:
                n += 1
        return n

    def find(self, ra, dec):
        found = []
        for abbr in sorted(self.segments):
            inside = self.crossings(abbr, ra, dec) % 2 == 1
            if abbr == 'UMi':
                inside = not inside
            if inside:
                found.append(abbr)
        return found[0] if len(found) == 1 else None


# ---- stars --------------------------------------------------------------------------------------

def read_bright_stars(path):
    stars = []
    with open(path, encoding='latin-1') as f:
        for line in f:
            if line.startswith('#') or not line.strip():
                continue
            ra, de = line[0:9], line[10:19]
            ra_h = int(ra[0:2]) + int(ra[2:4]) / 60 + float(ra[4:9]) / 3600
            sign = -1 if de[0] == '-' else 1
            dec = sign * (int(de[1:3]) + int(de[3:5]) / 60 + float(de[5:9]) / 3600)
            mag = float(line[46:51])
            if mag >= MAG_LIMIT:
                continue
            fields = [p.strip() for p in line[58:].rstrip('\n').split(',')]
            stars.append({
                'ra_h': ra_h, 'dec': dec, 'plx': float(line[38:45]), 'mag': mag,
                'sp': line[56:58].strip(),
                'desig': fields[1] if len(fields) > 1 else '',
                'proper': fields[2] if len(fields) > 2 else '',
            })
    return stars


def match_hip(stars, hip_features):
    zones = {}
    for f in hip_features:
        lon, lat = f['geometry']['coordinates']
        zones.setdefault(math.floor(lat), []).append((lon % 360.0, lat, f['properties']['mag'], f['id']))
    for s in stars:
        ra, dec = s['ra_h'] * 15.0, s['dec']
        best = None
        for band in (math.floor(dec) - 1, math.floor(dec), math.floor(dec) + 1):
            for sra, sdec, smag, hip in zones.get(band, []):
                d = math.hypot(wrap180(sra - ra) * math.cos(math.radians(dec)), sdec - dec) * 60
                if d <= MATCH_ARCMIN and abs(smag - s['mag']) <= MATCH_MAG:
                    key = (d, abs(smag - s['mag']), hip)
                    if best is None or key < best:
                        best = key
        s['hip'] = best[2] if best else None


def parse_kstars_desig(desig):
    """'alp1Cen' -> ('Cen', 'Alpha1'); '52  Sgr' -> ('Sgr', '52'); else (None, None)."""
    if len(desig) < 6:
        return None, None
    body, abbr = desig[:-3].strip(), desig[-3:]
    head = desig[:3].strip()
    digit = desig[3:-3].strip()
    if head in GREEK_ABBR:
        return abbr, GREEK_ABBR[head] + digit
    if body.isdigit():
        return abbr, body
    return None, None


def star_name(s, names, finder):
    info = names.get(str(s['hip'])) if s['hip'] else None
    info = info or {}
    abbr = info.get('c') or ''
    if abbr not in finder.segments:
        abbr = ''
    k_abbr, k_desig = parse_kstars_desig(s['desig'])
    if not abbr:
        abbr = k_abbr or finder.find(s['ra_h'] * 15.0, s['dec']) or ''
    if not abbr:
        raise SystemExit(f'no constellation for star at {s["ra_h"]:.4f}h {s["dec"]:.3f}')
    bayer = info.get('bayer') or ''
    flam = info.get('flam') or ''
    hd = (info.get('hd') or '').replace('\u2009', ' ')
    if bayer[:1] in GREEK:
        desig = GREEK[bayer[0]] + bayer[1:]
    elif flam.isdigit():
        desig = flam
    elif bayer[:1].isalpha() and bayer.isalnum() and len(bayer) <= 2:
        desig = bayer
    elif k_desig:
        desig = k_desig
    elif hd:
        desig = hd
    elif s['hip']:
        desig = f'HIP {s["hip"]}'
    else:
        desig = f'{s["ra_h"]:.3f}h {s["dec"]:+.2f}'
    proper = info.get('name') or s['proper'] or ''
    name = f'{abbr} {desig}'
    if proper:
        name += ',' + proper
    return to_cp1252(name)


def german_star_name(s, names, name):
    """TAB and the German form of the star's proper name where the data has one, else nothing."""
    info = names.get(str(s['hip'])) if s['hip'] else None
    german = (info or {}).get('de') or ''
    if ',' not in name or not german or german == info.get('name'):
        return ''
    return '\t' + to_cp1252(german)


def star_details(s, name):
    plx = s['plx']
    mag = s['mag']
    if plx >= MIN_PARALLAX_MAS:
        absmag = num(mag + 5.0 + 5.0 * math.log10(plx / 1000.0), 2)
        ly = 3261.56 / plx
        dist = num(ly, 2) if ly < 10 else num(ly, 1) if ly < 100 else str(int(round(ly)))
    else:
        absmag = dist = '-10000'
    values = [f'{s["ra_h"]:.5f}', f'{s["dec"]:.4f}', '-10000', '-10000', absmag, num(mag, 2),
              dist, s['sp'] or '?']
    for v in values:
        assert len(v) <= 8, (name, v)
    return [name] + values


def star_numbers(s, names):
    """Hipparcos number TAB Flamsteed number, each 0 where the data has none."""
    info = names.get(str(s['hip'])) if s['hip'] else None
    flam = (info or {}).get('flam') or ''
    return f'{s["hip"] or 0}\t{flam if flam.isdigit() else 0}'


def build_stars(data):
    stars = read_bright_stars(os.path.join(data, 'hipparcos', 'stars_bright.dat'))
    match_hip(stars, load_json(os.path.join(data, 'celestial', 'stars.6.json'))['features'])
    names = load_json(os.path.join(data, 'celestial', 'starnames.json'))
    finder = ConstellationFinder(load_json(os.path.join(data, 'celestial', 'constellations.borders.json')))
    star0, star3, star4, star6 = [], [], [], []
    seen = set()
    for s in stars:
        name = star_name(s, names, finder)
        if name in seen:
            name = name.split(',')[0] + f' HIP {s["hip"]}' + name[len(name.split(',')[0]):]
        assert name not in seen, name
        seen.add(name)
        ra = math.radians(s['ra_h'] * 15.0) % TWO_PI
        cls = SPECTRAL_CLASS.get(s['sp'][:1], 8) if s['sp'] else 5
        star0 += [f'{ra:.8f}', f'{math.radians(s["dec"]):.8f}', num(s['mag'], 2), str(cls)]
        star3.append(name + german_star_name(s, names, name))
        star4.append(star_numbers(s, names))
        star6 += star_details(s, name)
    return star0, star3, star4, star6, finder


# ---- constellations -------------------------------------------------------------------------------

def rad_text(deg, is_ra):
    r = math.radians(deg % 360.0 if is_ra else deg)
    s = num(r, 8)
    if is_ra and float(s) > TWO_PI:
        s = num(math.floor(TWO_PI * 1e7) / 1e7, 7)
    return s


def build_star5(data):
    lines = []
    for f in load_json(os.path.join(data, 'celestial', 'constellations.json'))['features']:
        p = f['properties']
        lon, lat = f['geometry']['coordinates']
        english = ENGLISH_CONSTELLATIONS.get(f['id']) or p.get('en') or p['name']
        lines += [to_cp1252(p['name']), to_cp1252(p.get('de') or p['name']), to_cp1252(english),
                  f['id'], rad_text(lon, True), rad_text(lat, False)]
    return lines


def build_star7(data):
    """The Latin genitive of each STAR5 constellation, same order (\"Orionis\")."""
    return [to_cp1252(f['properties'].get('gen') or f['properties']['name'])
            for f in load_json(os.path.join(data, 'celestial', 'constellations.json'))['features']]


def polylines_to_lines(polylines):
    """Points as RA/Dec radian line pairs, (0, 0) between polylines, split where a segment
    crosses RA 0/360 (the crossing point is repeated at RA 360 and at RA 0)."""
    out = []
    pieces = []
    for line in polylines:
        piece = []
        pts = [(lon % 360.0, lat) for lon, lat in line]
        for i, (ra, dec) in enumerate(pts):
            if i > 0:
                pra, pdec = pts[i - 1]
                if abs(ra - pra) > 180.0:
                    if pra > ra:
                        t = (360.0 - pra) / (ra + 360.0 - pra)
                        edge_from, edge_to = 360.0, 0.0
                    else:
                        t = pra / (pra + 360.0 - ra)
                        edge_from, edge_to = 0.0, 360.0
                    mid = pdec + t * (dec - pdec)
                    piece.append((edge_from, mid))
                    pieces.append(piece)
                    piece = [(edge_to, mid)]
            piece.append((ra, dec))
        pieces.append(piece)
    for k, piece in enumerate(pieces):
        if len(piece) < 2:
            continue
        if out:
            out += ['0', '0']
        for ra, dec in piece:
            rs, ds = rad_text(ra, True) if ra < 360.0 else rad_text_full(), rad_text(dec, False)
            if float(rs) == 0.0 and float(ds) == 0.0:
                rs = '0.00000001'   # a real point there must not read as a separator
            out += [rs, ds]
    return out


def rad_text_full():
    return num(math.floor(TWO_PI * 1e7) / 1e7, 7)


def build_star1(data):
    polylines = []
    for f in load_json(os.path.join(data, 'celestial', 'constellations.lines.json'))['features']:
        polylines += f['geometry']['coordinates']
    return polylines_to_lines(polylines)


def build_star2(data):
    polylines = []
    for f in load_json(os.path.join(data, 'celestial', 'constellations.borders.json'))['features']:
        polylines += f['geometry']['coordinates']
    return polylines_to_lines(polylines)


# ---- places ---------------------------------------------------------------------------------------

def standard_offset(tzname):
    tz = ZoneInfo(tzname)
    offs = [datetime(TZ_YEAR, m, 15, 12, tzinfo=tz).utcoffset().total_seconds() / 3600.0
            for m in (1, 7)]
    return min(offs)


def zone_text(z):
    return num(z, 2)


def distance_km(lat1, lon1, lat2, lon2):
    p1, p2 = math.radians(lat1), math.radians(lat2)
    dl = math.radians(lon2 - lon1)
    c = math.sin(p1) * math.sin(p2) + math.cos(p1) * math.cos(p2) * math.cos(dl)
    return 6371.0 * math.acos(max(-1.0, min(1.0, c)))


def collation_key(name):
    folded = name.replace('ß', 'ss').replace('ẞ', 'SS')
    folded = ''.join(c for c in unicodedata.normalize('NFKD', folded) if not unicodedata.combining(c))
    return (folded.casefold(), name)


def build_places(data):
    cities = [c for c in load_json(os.path.join(data, 'geo', 'cities.json')) if c.get('timezone')]
    for c in cities:   # Kosovo and Somaliland carry no ISO alpha-2 code there
        if not isinstance(c['iso2'], str) or len(c['iso2']) != 2:
            c['iso2'] = {'KOS': 'XK', 'SOL': 'SO'}[c['iso3']]
    iso3 = {c['iso2']: c['iso3'] for c in cities if c['iso3'] not in ('KOS', 'SOL')}
    towns = []
    with open(os.path.join(data, 'geo', 'geonames_towns.tsv'), encoding='utf-8') as f:
        for line in f:
            if line.startswith('#') or not line.strip():
                continue
            name, cc, _admin, pop, lat, lon, feat = line.rstrip('\n').split('\t')
            if feat == 'PPLX':
                continue
            towns.append({'name': name, 'cc': cc, 'pop': float(pop), 'lat': float(lat),
                          'lon': float(lon), 'feat': feat, 'tz': None, 'province': '', 'src': 'geonames'})
    by_country = {}
    for c in cities:
        by_country.setdefault(c['iso2'], []).append(c)
    for t in towns:
        pool = by_country.get(t['cc']) or cities
        best = min(pool, key=lambda c: (distance_km(t['lat'], t['lon'], c['lat'], c['lng']), c['city']))
        t['tz'] = best['timezone']
    ne = [{'name': c['city'], 'cc': c['iso2'], 'pop': float(c['pop']), 'lat': c['lat'],
           'lon': c['lng'], 'feat': '', 'tz': c['timezone'], 'province': c.get('province') or '', 'src': 'ne'}
          for c in cities]

    def mark(cc):
        cc = PART_OF.get(cc, cc)
        return VEHICLE_CODE.get(cc) or iso3.get(cc) or cc

    marks = {}
    for cc in sorted(set(PART_OF.get(t['cc'], t['cc']) for t in towns) |
                     set(PART_OF.get(c['cc'], c['cc']) for c in ne)):
        m = mark(cc)
        assert m not in marks, (cc, marks.get(m), m)
        marks[m] = cc

    chosen = []
    names = {}

    def display(p):
        return to_cp1252(GERMAN_NAMES.get((p['cc'], p['name']), p['name'])) + ', ' + mark(p['cc'])

    def english(p, told_apart):
        name = to_cp1252(ENGLISH_NAMES.get((p['cc'], p['name']), p['name']))
        if told_apart:
            name += f' ({to_cp1252(p["province"])})'
        return name + ', ' + mark(p['cc'])

    def add(p):
        # The same town may come from both sources (or as the fixed default place): same
        # country and the same name, or a different source and close by.
        for q in chosen:
            if q['cc'] != p['cc']:
                continue
            if q['name'] == p['name'] and distance_km(p['lat'], p['lon'], q['lat'], q['lon']) < 50:
                return False
            if {q['src'], p['src']} == {'geonames', 'ne'} and distance_km(p['lat'], p['lon'], q['lat'], q['lon']) < DEDUP_KM:
                return False
        label = display(p)
        told_apart = label in names
        if told_apart:
            if not p['province']:
                return False
            label = display(p)[:-len(mark(p['cc'])) - 2] + f' ({to_cp1252(p["province"])}), ' + mark(p['cc'])
            if label in names:
                return False
        p = dict(p, label=label, english=english(p, told_apart))
        names[label] = p
        chosen.append(p)
        return True

    # The program's default place, with its traditional coordinates.
    add({'name': 'Chemnitz', 'cc': 'DE', 'pop': 0, 'lat': 50.836667, 'lon': 12.854444,
         'feat': '', 'tz': 'Europe/Berlin', 'province': '', 'src': 'fixed'})
    by_pop = lambda p: (-p['pop'], p['name'], p['lat'], p['lon'])
    dach = [t for t in towns if (t['cc'] == 'DE' and t['pop'] >= 20000) or
            (t['cc'] in ('AT', 'CH') and t['pop'] >= 10000)]
    for t in sorted(dach, key=by_pop):
        add(t)
    for t in sorted((t for t in towns if t['feat'] == 'PPLC'), key=by_pop):
        add(t)
    have = set(p['cc'] for p in chosen)
    for cc in sorted(set(t['cc'] for t in towns) | set(c['cc'] for c in ne)):
        if cc in have:
            continue
        pool = sorted([c for c in ne if c['cc'] == cc] or [t for t in towns if t['cc'] == cc], key=by_pop)
        for p in pool:
            if add(p):
                break
    for c in sorted((c for c in ne if c['cc'] not in ('DE', 'AT', 'CH')), key=by_pop):
        if len(chosen) >= PLACE_TOTAL:
            break
        add(c)
    chosen.sort(key=lambda p: collation_key(p['label']))
    # Either name finds its place, so no English name may be another place's name.
    german = {p['label'] for p in chosen}
    english_names = [p['english'] for p in chosen if p['english'] != p['label']]
    for e in english_names:
        assert e not in german, f'English name {e!r} is another place\'s name'
    assert len(set(english_names)) == len(english_names), 'English names not unique'
    ort, orte = [], []
    for p in chosen:
        if p['label'] == 'Chemnitz, D':
            lat, lon = '50.836667', '12.854444'
        else:
            lat, lon = num(p['lat'], 6), num(p['lon'], 6)
        record = f'{p["label"]}\t{lat}\t{lon}\t{zone_text(standard_offset(p["tz"]))}\t{p["tz"]}'
        if p['english'] != p['label']:
            record += '\t' + p['english']
        ort.append(record)
        orte.append(p['label'])
    return ort, orte


# ---- world outline --------------------------------------------------------------------------------

def build_erde(data):
    topo = load_json(os.path.join(data, 'geo', 'land-110m.json'))
    sx, sy = topo['transform']['scale']
    tx, ty = topo['transform']['translate']
    arcs = []
    for arc in topo['arcs']:
        x = y = 0
        pts = []
        for dx, dy in arc:
            x += dx
            y += dy
            pts.append((x * sx + tx, y * sy + ty))
        arcs.append(pts)

    def ring_points(ring):
        pts = []
        for idx in ring:
            a = arcs[idx] if idx >= 0 else arcs[~idx][::-1]
            pts += a if not pts else a[1:]
        return pts

    rings = []
    for geom in topo['objects']['land']['geometries']:
        polys = geom['arcs'] if geom['type'] == 'MultiPolygon' else [geom['arcs']]
        for poly in polys:
            for ring in poly:
                rings.append(ring_points(ring))
    lines = ['-84 180 0']   # the outline starts with a pen-up at the foot of the map
    for ring in rings:
        prev = None
        out = []
        for lon, lat in ring:
            ilat = int(round(lat))
            ilon = int(round(lon)) % 360
            if ilon == 0 and round(lon) > 0:
                ilon = 360
            if prev == (ilat, ilon):
                continue
            prev = (ilat, ilon)
            out.append((ilat, ilon))
        if len(out) < 2:
            continue
        for k, (ilat, ilon) in enumerate(out):
            lines.append(f'{ilat} {ilon} {0 if k == 0 else 1}')
    lines.append('0 0 0')
    return lines


# ---- main -----------------------------------------------------------------------------------------

def main():
    here = os.path.dirname(os.path.abspath(__file__))
    root = os.path.normpath(os.path.join(here, '..', '..'))
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument('--data', default=os.path.normpath(os.path.join(root, '..', 'shared', 'data')),
                    help='source data folder (default: ../shared/data from the project root)')
    ap.add_argument('--out', default=os.path.join(root, 'resources', 'data'),
                    help='output folder (default: resources/data of the project)')
    args = ap.parse_args()
    os.makedirs(args.out, exist_ok=True)

    star0, star3, star4, star6, _finder = build_stars(args.data)
    ort, orte = build_places(args.data)
    outputs = [
        ('STAR0', star0), ('STAR1', build_star1(args.data)), ('STAR2', build_star2(args.data)),
        ('STAR3', star3), ('STAR4', star4), ('STAR5', build_star5(args.data)), ('STAR6', star6), ('STAR7', build_star7(args.data)),
        ('ORT', ort), ('ORTE', orte), ('ERDE', build_erde(args.data)),
    ]
    for name, lines in outputs:
        n, size = write_resource(args.out, name, lines)
        print(f'{name:6s} {n:6d} lines {size:7d} bytes')
    return 0


if __name__ == '__main__':
    sys.exit(main())
