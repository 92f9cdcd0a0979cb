"""Faults made by rule over the program's own source, for tools/mutanten.py: C++ in sim/,
darstellung/, shell/, pages/, app/ and tools/, JavaScript in web/src/. Each rule changes one
place:

    vergleich   < and <=, > and >=, == and != (=== and !==) turned into each other
    logik       && and || turned into each other
    zahl        an integer one up and, above 0, one down (3: 2 and 4; 0: 1); a floating constant
                moved by one unit of its last written digit, never below 0 (0.5: 0.4 and 0.6;
                99.9: 99.8 and 100.0; 1e-3: 0e-3 and 2e-3)
    bedingung   if (c) made if (!(c))
    aufruf      a statement that is only a call left out (f(x); made {})
    rueckgabe   return x; made return !(x); in a function that returns bool (in JavaScript, where
                x is plainly a truth value: a comparison, a negation, && or ||, true or false)

Comments, string, character, template and regular-expression literals and preprocessor lines are
never touched. A binary operator is one with white space on both sides, as clang-format-14 and
prettier write it; that leaves out template angle brackets (vector<int>, template <class T>),
references (T&& x) and operator declarations, and -> and << >> are never changed.

A fault's id is a hash of its file, the changed line's text (and which of equal lines in the file
it is), the rule, the change and which of equal changes in that line it is: it stays the same
while other lines change."""
import hashlib
import os
import re
from decimal import Decimal

ORDNER = ["sim", "darstellung", "shell", "pages", "app", "tools", "web/src"]

CPP_OPS = sorted(
    """>>= <<= <=> ->* ... :: -> ++ -- << >> <= >= == != && || += -= *= /= %= &= |= ^=
    .*""".split(),
    key=len, reverse=True)
JS_OPS = sorted(
    """>>>= === !== **= ... >>> <<= >>= &&= ||= ??= => == != <= >= && || ?? ?. ++ -- += -= *= /=
    %= &= |= ^= ** << >>""".split(), key=len, reverse=True)
UMKEHR = {"<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "==", "===": "!==",
          "!==": "===", "&&": "||", "||": "&&"}
CPP_ZAHL = re.compile(r"0[xX][0-9a-fA-F']+\w*|0[bB][01']+\w*|(?:\d[\d']*\.?[\d']*|\.\d[\d']*)"
                      r"(?:[eE][+-]?\d+)?\w*")
JS_ZAHL = re.compile(r"0[xXbBoO][0-9a-fA-F_]+n?|(?:\d[\d_]*\.?[\d_]*|\.\d[\d_]*)"
                     r"(?:[eE][+-]?\d+)?n?")
NAME = re.compile(r"[A-Za-z_$][\w$]*")
# What cannot stand before a regular expression's "/" in JavaScript: the end of an operand.
JS_NACH_AUSDRUCK = {")", "]", "}"}
JS_WORT_VOR_AUSDRUCK = {"return", "typeof", "instanceof", "in", "of", "new", "delete", "void",
                        "throw", "case", "do", "else", "yield", "await"}
KEIN_AUFRUF = {"return", "delete", "throw", "new", "if", "for", "while", "switch", "case", "goto",
               "sizeof", "static_assert", "using", "typedef", "co_return", "co_yield", "super",
               "typeof", "let", "const", "var", "import", "export", "default", "break",
               "continue"}


class Tok:
    __slots__ = ("art", "text", "a", "e")

    def __init__(self, art, text, a, e):
        self.art, self.text, self.a, self.e = art, text, a, e


def _zeichenkette_ende(text, i, q):
    """Index after a quoted literal starting at i (text[i] == q)."""
    i += 1
    while i < len(text) and text[i] != q and text[i] != "\n":
        i += 2 if text[i] == "\\" else 1
    return i + 1


def _vorlage_ende(text, i):
    """Index after a JavaScript template literal starting at i, its ${…} parts included."""
    i += 1
    while i < len(text):
        c = text[i]
        if c == "\\":
            i += 2
        elif c == "`":
            return i + 1
        elif text.startswith("${", i):
            tiefe, i = 1, i + 2
            while i < len(text) and tiefe:
                c = text[i]
                if c in "'\"":
                    i = _zeichenkette_ende(text, i, c)
                elif c == "`":
                    i = _vorlage_ende(text, i)
                else:
                    tiefe += (c == "{") - (c == "}")
                    i += 1
        else:
            i += 1
    return i


def _regex_ende(text, i):
    """Index after a regular-expression literal at i, or None where it is a division."""
    klasse, i = False, i + 1
    while i < len(text) and text[i] != "\n":
        c = text[i]
        if c == "\\":
            i += 2
            continue
        if c == "[":
            klasse = True
        elif c == "]":
            klasse = False
        elif c == "/" and not klasse:
            i += 1
            while i < len(text) and text[i].isalpha():
                i += 1
            return i
        i += 1
    return None


def zerlegen(text, js):
    """The tokens of a source file: names, numbers, operators, and literals as opaque "str"."""
    toks, i, n, zeilenanfang = [], 0, len(text), True
    ops = JS_OPS if js else CPP_OPS
    while i < n:
        c = text[i]
        if c == "\n":
            zeilenanfang, i = True, i + 1
            continue
        if c.isspace():
            i += 1
            continue
        if c == "#" and zeilenanfang and not js:
            while i < n and text[i] != "\n":
                i += 2 if text.startswith("\\\n", i) else 1
            continue
        zeilenanfang = False
        if text.startswith("//", i):
            j = text.find("\n", i)
            i = n if j < 0 else j
            continue
        if text.startswith("/*", i):
            j = text.find("*/", i + 2)
            i = n if j < 0 else j + 2
            continue
        if js and c == "/":
            vorher = toks[-1] if toks else None
            if vorher is None or (vorher.art == "op" and vorher.text not in JS_NACH_AUSDRUCK) or \
                    (vorher.art == "id" and vorher.text in JS_WORT_VOR_AUSDRUCK):
                e = _regex_ende(text, i)
                if e:
                    toks.append(Tok("str", text[i:e], i, e))
                    i = e
                    continue
        if c.isdigit() or (c == "." and i + 1 < n and text[i + 1].isdigit()):
            e = (JS_ZAHL if js else CPP_ZAHL).match(text, i).end()
            toks.append(Tok("zahl", text[i:e], i, e))
            i = e
            continue
        m = NAME.match(text, i) if (c.isalpha() or c in "_$") else None
        if m:
            e = m.end()
            if not js and e < n and text[e] in "\"'" and m.group() in (
                    "u8", "u", "U", "L", "R", "u8R", "uR", "UR", "LR"):
                if "R" in m.group() and text[e] == '"':
                    trenner = text[e + 1:text.index("(", e)]
                    e = text.index(")" + trenner + '"', e) + len(trenner) + 2
                else:
                    e = _zeichenkette_ende(text, e, text[e])
                toks.append(Tok("str", text[i:e], i, e))
            else:
                toks.append(Tok("id", m.group(), i, e))
            i = e
            continue
        if c in "\"'":
            e = _zeichenkette_ende(text, i, c)
            toks.append(Tok("str", text[i:e], i, e))
            i = e
            continue
        if js and c == "`":
            e = _vorlage_ende(text, i)
            toks.append(Tok("str", text[i:e], i, e))
            i = e
            continue
        op = next((o for o in ops if text.startswith(o, i)), c)
        toks.append(Tok("op", op, i, i + len(op)))
        i += len(op)
    return toks


class Aufbau:
    """Brackets paired, and for each "{" what it opens: "code" (a body or block of statements),
    "klasse", "requires" or "init" (a braced initialiser, an object literal)."""

    def __init__(self, text, toks, js):
        self.text, self.toks, self.js = text, toks, js
        self.paar, self.art, self.innen = {}, {}, []  # innen[i]: innermost open bracket
        stapel = []
        for k, t in enumerate(toks):
            self.innen.append(stapel[-1] if stapel else None)
            if t.art != "op":
                continue
            if t.text in "([{":
                if t.text == "{":
                    self.art[k] = self._art(k)
                stapel.append(k)
            elif t.text in ")]}":
                offen = {")": "(", "]": "[", "}": "{"}[t.text]
                while stapel and toks[stapel[-1]].text != offen:
                    stapel.pop()  # unbalanced across #if branches: give up the inner ones
                if stapel:
                    self.paar[stapel[-1]], self.paar[k] = k, stapel[-1]
                    stapel.pop()

    def _art(self, k):
        toks = self.toks
        if k == 0:
            return "code"
        v = toks[k - 1]
        if v.text == ")":
            o = self.paar.get(k - 1)
            return "requires" if o and o > 0 and toks[o - 1].text == "requires" else "code"
        if v.text in ("]", "=>", ";", "{", "}", "else", "do", "try", "finally", "requires"):
            return "requires" if v.text == "requires" else "code"
        if v.text == ":" and not self.js:
            return "code"
        # Back over a trailing return type or qualifiers to a ")".
        j, pfeil = k - 1, False
        while j >= 0 and (toks[j].art == "id" or toks[j].text in ("::", "<", ">", "*", "&", "&&",
                                                                  "->", ",")):
            pfeil = pfeil or toks[j].text == "->"
            if toks[j].text in ("class", "struct", "union", "enum", "namespace", "extends"):
                return "klasse"
            j -= 1
        if j >= 0 and toks[j].text == ")" and (pfeil or all(
                t.text in ("const", "override", "final", "noexcept", "mutable", "volatile", "&",
                           "&&") for t in toks[j + 1:k])):
            return "code"
        if j >= 0 and toks[j].art == "str" and not self.js:
            return "klasse"  # extern "C"
        while j >= 0 and toks[j].text not in (";", "{", "}", "(", "="):  # class A : public B {
            if toks[j].text in ("class", "struct", "union", "enum"):
                return "klasse"
            j -= 1
        return "init"

    def in_anweisungen(self, k):
        """Whether token k stands directly in a block of statements."""
        o = self.innen[k]
        return o is not None and self.art.get(o) == "code"


def _zahl_varianten(text, js):
    """The neighbours of a numeric literal, as literals of the same form."""
    m = re.fullmatch(r"(0[xX])([0-9a-fA-F']+)(\w*)", text)
    if m:
        v = int(m.group(2).replace("'", ""), 16)
        ziffern = m.group(2).replace("'", "")
        form = "{:0%d%s}" % (len(ziffern), "X" if ziffern.upper() == ziffern else "x")
        return [m.group(1) + form.format(w) + m.group(3) for w in (v - 1, v + 1) if w >= 0]
    m = re.fullmatch(r"((?:\d[\d'_]*)?\.?[\d'_]*)((?:[eE][+-]?\d+)?)([A-Za-z_]*)", text)
    if not m or text[:2].lower() in ("0b", "0o") or (len(text) > 1 and text[0] == "0" and
                                                     text[1].isdigit()):
        return []
    mantisse, exponent, suffix = m.group(1).replace("'", "").replace("_", ""), m.group(2), \
        m.group(3)
    if not js and (suffix.startswith(("e", "E")) or suffix[:1] == "_"):
        return []
    fliess = "." in mantisse or exponent or (not js and suffix.lower() == "f")
    if not fliess:
        v = int(mantisse)
        return [str(w) + suffix for w in (v - 1, v + 1) if w >= 0]
    stellen = len(mantisse.split(".")[1]) if "." in mantisse else 0
    schritt = Decimal(1).scaleb(-stellen)
    aus = []
    for w in (Decimal(mantisse) - schritt, Decimal(mantisse) + schritt):
        if w < 0:
            continue
        t = f"{w:.{stellen}f}"
        if mantisse.startswith(".") and t.startswith("0."):
            t = t[1:]
        if mantisse.endswith("."):
            t += "."
        aus.append(t + exponent + suffix)
    return aus


def _ist_weiss(text, i):
    return 0 <= i < len(text) and text[i].isspace()


def _anweisungsanfang(ab, k):
    """Whether token k begins a statement."""
    toks = ab.toks
    if not ab.in_anweisungen(k):
        return False
    if k == 0:
        return True
    v = toks[k - 1]
    if v.text in (";", "{", "}", "else", "do"):
        return True
    if v.text == ")":
        o = ab.paar.get(k - 1)
        return o is not None and o > 0 and toks[o - 1].text in ("if", "for", "while")
    if v.text == ":":  # after case …: or default:
        j = k - 2
        while j >= 0 and toks[j].text not in (";", "{", "}", ":"):
            j -= 1
        return toks[j + 1].text in ("case", "default")
    return False


def _aufruf_ende(ab, k):
    """Index of the ";" of a statement at k that is a call and nothing else, else None."""
    toks = ab.toks
    j = k
    if toks[j].text in ("emit", "await") and j + 1 < len(toks):
        j += 1
    if toks[j].art != "id" or toks[j].text in KEIN_AUFRUF:
        return None
    erstes, aufruf = toks[j].text, False
    j += 1
    while j < len(toks):
        t = toks[j]
        if t.text in (".", "->", "::", "?.") and j + 1 < len(toks) and toks[j + 1].art == "id":
            j, aufruf = j + 2, False
        elif t.text in ("(", "[") and j in ab.paar:
            aufruf = t.text == "("
            j = ab.paar[j] + 1
        elif t.text == "<" and not ab.js and not _ist_weiss(ab.text, t.e):
            tiefe = 0  # template arguments: up to the matching ">"
            while j < len(toks):
                tiefe += (toks[j].text == "<") - (toks[j].text == ">") - 2 * (toks[j].text == ">>")
                j += 1
                if tiefe <= 0:
                    break
            aufruf = False
        else:
            break
    if not aufruf or j >= len(toks) or toks[j].text != ";":
        return None
    if re.fullmatch(r"[A-Z][A-Z0-9_]+", erstes) and toks[k + 1].text == "(":
        return None  # a macro (Q_UNUSED, Q_ASSERT)
    return j


def _bool_koerper(ab):
    """The "{" of every C++ function body (or lambda with "-> bool") that returns bool."""
    toks, koerper = ab.toks, []
    for k, t in enumerate(toks):
        if t.text != "bool" or k == 0 or k + 1 >= len(toks):
            continue
        j = k + 1
        if toks[k - 1].text != "->":  # not a trailing return type: name, parameters, qualifiers
            if toks[k - 1].text != "operator":  # not operator bool()
                if toks[j].art != "id":
                    continue
                while j + 2 < len(toks) and toks[j + 1].text == "::":
                    j += 2
                if toks[j].text == "operator":  # operator==
                    while j + 1 < len(toks) and toks[j + 1].text != "(":
                        j += 1
                j += 1
            if j >= len(toks) or toks[j].text != "(" or j not in ab.paar:
                continue
            j = ab.paar[j] + 1
            while j < len(toks) and toks[j].text in ("const", "override", "final", "noexcept"):
                j += 1
        if j < len(toks) and toks[j].text == "{" and ab.art.get(j) == "code":
            koerper.append(j)
    return koerper


def _lambda_koerper(ab, j):
    """Whether the "{" at j opens a lambda's body."""
    toks, i = ab.toks, j - 1
    while i >= 0 and (toks[i].art == "id" or toks[i].text in ("->", "::", "<", ">", "*", "&")) \
            and toks[i].text != "]":
        i -= 1
    if i >= 0 and toks[i].text == ")" and i in ab.paar:
        i = ab.paar[i] - 1
    return i >= 0 and toks[i].text == "]"


def _js_wahrheitswert(toks):
    if len(toks) == 1 and toks[0].text in ("true", "false"):
        return True
    tiefe, oben = 0, set()
    for t in toks:
        if t.art == "op" and t.text in ("(", "[", "{"):
            tiefe += 1
        elif t.art == "op" and t.text in (")", "]", "}"):
            tiefe -= 1
        elif tiefe == 0:
            oben.add(t.text)
    if oben & {"?", "??", "=>", ",", "="}:
        return False
    return (toks[0].text == "!" and len(oben) == 1) or bool(oben & {
        "===", "!==", "==", "!=", "<", "<=", ">", ">=", "&&", "||", "instanceof"})


def mutationen_der_datei(text, js):
    """(a, e, new text, rule, old text shown, new text shown) for every place a rule changes."""
    toks = zerlegen(text, js)
    ab = Aufbau(text, toks, js)
    aus = []
    for k, t in enumerate(toks):
        if t.art == "op" and t.text in UMKEHR and _ist_weiss(text, t.a - 1) and \
                _ist_weiss(text, t.e) and (k == 0 or toks[k - 1].text != "operator"):
            regel = "logik" if t.text in ("&&", "||") else "vergleich"
            aus.append((t.a, t.e, UMKEHR[t.text], regel, t.text, UMKEHR[t.text]))
        elif t.art == "zahl":
            for neu in _zahl_varianten(t.text, js):
                aus.append((t.a, t.e, neu, "zahl", t.text, neu))
        elif t.text == "if" and k + 1 < len(toks) and toks[k + 1].text == "(" and k + 1 in ab.paar:
            o, z = k + 1, ab.paar[k + 1]
            tiefe, schlicht = 0, True
            for u in toks[o + 1:z]:
                tiefe += (u.text in "([{") - (u.text in ")]}") if u.art == "op" else 0
                if tiefe == 0 and u.text in (";", "="):
                    schlicht = False  # an init-statement or a declaration
            if schlicht and z > o + 1:
                bed = text[toks[o].e:toks[z].a]
                aus.append((toks[o].e, toks[z].a, "!(" + bed + ")", "bedingung", bed,
                            "!(" + bed + ")"))
        if t.art in ("id", "op") and _anweisungsanfang(ab, k):
            ende = _aufruf_ende(ab, k)
            if ende is not None:
                alt = text[t.a:toks[ende].e]
                aus.append((t.a, toks[ende].e, "{}", "aufruf", alt, "{}"))
    # Returns in functions that return bool, outside lambdas within them.
    koerper = _bool_koerper(ab) if not js else [k for k, a in ab.art.items() if a == "code"]
    for b in koerper:
        k = b + 1
        while k < ab.paar.get(b, b):
            t = toks[k]
            if t.text == "{" and k != b and (_lambda_koerper(ab, k) or (js and k in ab.art and
                                                                          ab.art[k] == "code")):
                k = ab.paar.get(k, k) + 1
                continue
            if t.text == "return" and toks[k + 1].text != ";":
                j = k + 1
                while j < len(toks) and not (toks[j].text == ";" and ab.innen[j] == ab.innen[k]):
                    j = ab.paar[j] + 1 if toks[j].text in ("(", "[", "{") and j in ab.paar \
                        else j + 1
                if j < len(toks) and (not js or _js_wahrheitswert(toks[k + 1:j])):
                    x = text[toks[k + 1].a:toks[j].a]
                    aus.append((toks[k + 1].a, toks[j].a, "!(" + x + ")", "rueckgabe", x,
                                "!(" + x + ")"))
                k = j
            k += 1
    # Assertions are compiled out of the build the faults are tried in.
    pruefungen = [(toks[k + 1].a, toks[ab.paar[k + 1]].e) for k, t in enumerate(toks)
                  if t.text in ("Q_ASSERT", "Q_ASSERT_X", "assert") and k + 1 in ab.paar]
    return sorted(m for m in aus if not any(a <= m[0] < e for a, e in pruefungen))


def quelldateien(wurzel):
    """(folder, path relative to wurzel) of every file the rules work on, in a fixed order."""
    aus = []
    for ordner in ORDNER:
        endungen = (".js",) if ordner.startswith("web/") else (".cpp", ".h")
        for pfad, dirs, dateien in os.walk(os.path.join(wurzel, ordner)):
            dirs.sort()
            for d in sorted(dateien):
                if d.endswith(endungen):
                    aus.append((ordner, os.path.relpath(os.path.join(pfad, d), wurzel)))
    return aus


class Mutante:
    __slots__ = ("id", "ordner", "datei", "zeile", "zeilentext", "zeilenroh", "spalte", "a", "e",
                 "neu", "regel", "alt", "neu_gezeigt")

    def beschreibung(self):
        """The change, and where it is not plain from that, the line with the change marked."""
        eng = lambda s: " ".join(s.split())
        kurz = lambda s: eng(s) if len(eng(s)) < 70 else eng(s)[:66] + " …"
        if self.regel == "aufruf":
            return f"{kurz(self.alt)!r} left out"
        if self.regel in ("bedingung", "rueckgabe"):
            return f"{kurz(self.alt)!r} made {kurz(self.neu_gezeigt)!r}"
        return f"{self.alt} → {self.neu_gezeigt}: {self.markiert()!r}"

    def markiert(self):
        z, roh = self.zeilentext, self.zeilenroh
        a = self.spalte - (len(roh) - len(roh.lstrip()))
        t = z[:a] + "[" + self.neu_gezeigt + "]" + z[a + len(self.alt):]
        if len(t) > 90:
            von = max(0, min(a - 40, len(t) - 90))
            t = ("… " if von else "") + t[von:von + 90] + (" …" if von + 90 < len(t) else "")
        return t


def alle_mutanten(wurzel):
    """Every generated fault of the tree at wurzel, by id."""
    aus = {}
    for ordner, datei in quelldateien(wurzel):
        with open(os.path.join(wurzel, datei), encoding="utf-8") as f:
            text = f.read()
        zeilen = text.split("\n")
        gleiche, zaehler = [], {}
        for z in zeilen:  # which of equal lines (after white space) each line is
            s = z.strip()
            gleiche.append(zaehler.get(s, 0))
            zaehler[s] = zaehler.get(s, 0) + 1
        schon = {}
        for a, e, neu, regel, alt, neu_gezeigt in mutationen_der_datei(text, datei.endswith(".js")):
            nr = text.count("\n", 0, a)
            schluessel = (datei, gleiche[nr], zeilen[nr].strip(), regel, alt, neu_gezeigt)
            wievielte = schon.get(schluessel, 0)
            schon[schluessel] = wievielte + 1
            m = Mutante()
            m.id = hashlib.sha1(repr(schluessel + (wievielte,)).encode()).hexdigest()[:10]
            m.ordner, m.datei, m.zeile, m.zeilentext = ordner, datei, nr + 1, zeilen[nr].strip()
            m.zeilenroh, m.spalte = zeilen[nr], a - (text.rfind("\n", 0, a) + 1)
            m.a, m.e, m.neu, m.regel, m.alt, m.neu_gezeigt = a, e, neu, regel, alt, neu_gezeigt
            assert m.id not in aus, f"two faults with the id {m.id}"
            aus[m.id] = m
    return aus


def stichprobe(mutanten, samen, je_ordner, ordner_liste=ORDNER):
    """je_ordner faults per folder (None: all), chosen by seed: those whose hash with the seed is
    least, so that a fault stays in the sample while other lines change."""
    rang = lambda m: hashlib.sha1(f"{samen}:{m.id}".encode()).hexdigest()
    aus = []
    for ordner in ordner_liste:
        im_ordner = sorted((m for m in mutanten.values() if m.ordner == ordner), key=rang)
        aus += im_ordner if je_ordner is None else im_ordner[:je_ordner]
    return aus


def aequivalente(pfad):
    """The ids in the list of faults judged equivalent or invisible: its first word per line."""
    if not os.path.exists(pfad):
        return {}
    aus = {}
    with open(pfad, encoding="utf-8") as f:
        for zeile in f:
            if zeile.strip() and not zeile.lstrip().startswith("#"):
                teile = zeile.split(None, 1)
                aus[teile[0]] = teile[1].strip() if len(teile) > 1 else ""
    return aus
