#!/usr/bin/env python3
"""Checks the shape of the source tree from the code itself.

1. Layers: every quoted #include points to the same folder level or a lower one
   (app -> tools/render -> catalog -> the shared headers -> astro/imaging/platform), and the
   asteroid viewer never reaches into the sky chart.
2. No cycles between modules (a module is a header with its source file of the same name).
3. No function body longer than 80 lines (generated tables excepted).

Prints each finding and exits 1 when there is one. Usage: check-layout.py [SOURCE_ROOT]"""
import os
import re
import sys

ROOT = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), '..'))
FOLDERS = ['astro', 'imaging', 'platform', 'resources', 'planetarium', 'orbitviewer']
# Folder prefix -> rank; the longest matching prefix wins. Same rank may include each other.
RANKS = [
    ('astro/', 0), ('imaging/', 0), ('platform/', 0),
    ('resources/', 1), ('planetarium/', 1),
    ('planetarium/catalog/', 2),
    ('planetarium/render/', 3), ('planetarium/tools/', 3),
    ('planetarium/app/', 4), ('orbitviewer/', 4),
]
# Files of generated tables, exempt from the function-size rule.
GENERATED = {'planetarium/catalog/tables/ConstellationTable.cpp', 'planetarium/catalog/tables/MessierData.cpp'}
MAX_FUNCTION_LINES = 80
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def rank(path):
    best, r = '', None
    for prefix, value in RANKS:
        if path.startswith(prefix) and len(prefix) > len(best):
            best, r = prefix, value
    return r


def sources():
    for folder in FOLDERS:
        for base, _, files in os.walk(os.path.join(ROOT, folder)):
            for name in files:
                if name.endswith(('.h', '.cpp')):
                    yield os.path.relpath(os.path.join(base, name), ROOT).replace(os.sep, '/')


def resolve(including, target):
    local = os.path.normpath(os.path.join(os.path.dirname(including), target)).replace(os.sep, '/')
    if os.path.exists(os.path.join(ROOT, local)):
        return local
    if os.path.exists(os.path.join(ROOT, target)):
        return target
    return None


def strip_code(text):
    """Blanks comments, strings and character literals, keeping line breaks."""
    out, i, n = [], 0, len(text)
    while i < n:
        c = text[i]
        if text.startswith('//', i):
            j = text.find('\n', i)
            j = n if j < 0 else j
            i = j
        elif text.startswith('/*', i):
            j = text.find('*/', i + 2)
            j = n if j < 0 else j + 2
            out.append('\n' * text.count('\n', i, j))
            i = j
        elif text.startswith('R"', i):
            m = re.match(r'R"([^(]*)\(', text[i:])
            end = text.find(')' + (m.group(1) if m else '') + '"', i)
            j = n if end < 0 else end + len(m.group(1) if m else '') + 2
            out.append('""' + '\n' * text.count('\n', i, j))
            i = j
        elif c in '"\'':
            j = i + 1
            while j < n and text[j] != c and text[j] != '\n':
                j += 2 if text[j] == '\\' else 1
            out.append(c + c)
            i = j + 1
        else:
            out.append(c)
            i += 1
    return ''.join(out)


def long_functions(path, text):
    code = strip_code(text)
    findings = []
    # Scopes: 'ns' (namespace, class, struct, enum, extern block) or 'fn' (function body and inside).
    stack, start = [], 0
    line = 1
    for k, c in enumerate(code):
        if c == '\n':
            line += 1
        elif c in ';':
            start = k + 1
        elif c == '{':
            head = code[start:k]
            if stack and stack[-1][0] == 'fn':
                kind = 'inner'
            elif re.search(r'\b(namespace|class|struct|union|enum)\b[^()]*$', head) or re.search(r'extern\s*$', head) \
                    or re.search(r'=\s*$', head) or ')' not in head:
                kind = 'ns'
            else:
                kind = 'fn'
            stack.append((kind, line, head.strip().split('\n')[-1][:60]))
            start = k + 1
        elif c == '}':
            if stack:
                kind, first, head = stack.pop()
                if kind == 'fn' and line - first + 1 > MAX_FUNCTION_LINES:
                    findings.append('%s:%d: function body of %d lines (over %d): %s'
                                    % (path, first, line - first + 1, MAX_FUNCTION_LINES, head))
            start = k + 1
    return findings


def main():
    findings = []
    edges = {}
    for path in sources():
        with open(os.path.join(ROOT, path), encoding='utf-8', errors='replace') as f:
            text = f.read()
        module = os.path.splitext(path)[0]
        edges.setdefault(module, set())
        for target in INCLUDE.findall(text):
            dep = resolve(path, target)
            if dep is None or not dep.startswith(tuple(f + '/' for f in FOLDERS)):
                continue
            if rank(dep) > rank(path):
                findings.append('%s includes %s: an arrow from a lower folder to a higher one' % (path, dep))
            if path.startswith('orbitviewer/') and dep.startswith('planetarium/'):
                findings.append('%s includes %s: the asteroid viewer must not need the sky chart' % (path, dep))
            dep_module = os.path.splitext(dep)[0]
            if dep_module != module:
                edges[module].add(dep_module)
        if path not in GENERATED:
            findings.extend(long_functions(path, text))

    # Cycles (depth-first search, each reported once by its smallest member).
    state, seen_cycles = {}, set()

    def visit(node, trail):
        state[node] = 1
        trail.append(node)
        for nxt in sorted(edges.get(node, ())):
            if state.get(nxt) == 1:
                cycle = trail[trail.index(nxt):]
                key = frozenset(cycle)
                if key not in seen_cycles:
                    seen_cycles.add(key)
                    findings.append('include cycle: ' + ' -> '.join(cycle + [nxt]))
            elif state.get(nxt) is None:
                visit(nxt, trail)
        trail.pop()
        state[node] = 2

    for node in sorted(edges):
        if state.get(node) is None:
            visit(node, [])

    for f in findings:
        print(f)
    print('layout: %d modules, %d findings' % (len(edges), len(findings)))
    return 1 if findings else 0


if __name__ == '__main__':
    sys.exit(main())
