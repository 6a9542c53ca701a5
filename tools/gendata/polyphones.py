#!/usr/bin/env python3
"""The occurrences of the characters with more than one common reading in what the build
speaks, against content/chinese/polyphones.txt (the readings reviewed by hand).

    python3 tools/gendata/polyphones.py build-test/spoken-lines.tsv
        prints each spoken line that has no reviewed readings yet, in the file's format,
        with the pinyin library's readings as a first guess: check every reading against
        its sentence, correct it, and add the line to polyphones.txt.
    python3 tools/gendata/polyphones.py build-test/spoken-lines.tsv --update
        rewrites polyphones.txt: the places of each line as the build spoke it now, the
        lines no longer spoken left out (named on standard error); the readings are kept.

The record (spoken-lines.tsv, written by the data build) has a row a spoken line: where,
text, syllables meant, what the voice was given, what the reader read, and the reader's
syllable of each Chinese character of that. Lines spoken from pinyin given with them
(poem lines, word cards) have nothing in the last two and need no review here.
"""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
TABLE = os.path.join(HERE, '..', '..', 'content', 'chinese', 'polyphones.txt')


def is_han(c):
    o = ord(c)
    return 0x4E00 <= o <= 0x9FFF or 0x3400 <= o <= 0x4DBF or 0x20000 <= o <= 0x2FFFF


def read_table(path):
    header, chars, rows = [], '', {}
    with open(path, encoding='utf-8') as f:
        for raw in f.read().split('\n'):
            if raw.startswith('#!chars\t'):
                chars += ''.join(raw[len('#!chars\t'):].split())
            if raw.startswith('#') or not raw.strip():
                if not rows:
                    header.append(raw)
                continue
            field = raw.split('\t')
            rows[field[0]] = field[1] if len(field) > 1 else ''
    while header and not header[-1].strip():
        header.pop()
    return header, set(chars), rows


def read_record(path):
    """text read -> (places in the order met, the reader's syllable of each character)"""
    lines = {}
    with open(path, encoding='utf-8') as f:
        for raw in f.read().split('\n'):
            field = raw.split('\t')
            if len(field) < 6 or not field[4]:
                continue
            where, read, syllables = field[0], field[4], field[5].split()
            places, _ = lines.setdefault(read, ([], syllables))
            if where not in places:
                places.append(where)
    return lines


def guess(read, syllables, chars):
    han = [c for c in read if is_han(c)]
    if len(han) != len(syllables):
        return None
    return ' '.join(c + s for c, s in zip(han, syllables) if c in chars)


def listed(read, chars):
    return [c for c in read if c in chars]


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    header, chars, rows = read_table(TABLE)
    record = read_record(sys.argv[1])
    if '--update' in sys.argv[2:]:
        kept = []
        for read in sorted(record):
            if read in rows:
                kept.append('\t'.join([read, rows[read], ' '.join(sorted(record[read][0]))]))
        for read in sorted(set(rows) - set(record)):
            print('no longer spoken: ' + read, file=sys.stderr)
        with open(TABLE, 'w', encoding='utf-8') as f:
            f.write('\n'.join(header) + '\n\n' + '\n'.join(kept) + '\n')
    missing = 0
    for read in sorted(record):
        places, syllables = record[read]
        if not listed(read, chars):
            continue
        reviewed = rows.get(read)
        if reviewed is not None and [t[0] for t in reviewed.split()] == listed(read, chars):
            continue
        missing += 1
        print('\t'.join([read, guess(read, syllables, chars) or '?', ' '.join(sorted(places))]))
    print('%d spoken lines have no reviewed readings' % missing, file=sys.stderr)


if __name__ == '__main__':
    main()
