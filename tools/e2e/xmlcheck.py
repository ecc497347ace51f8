#!/usr/bin/env python3
"""Reads the program's XML files for the end-to-end tests.
  xmlcheck.py count FILE                 number of records under the root
  xmlcheck.py field FILE TITLE FIELD     FIELD of the first record whose Title is TITLE
  xmlcheck.py setting FILE NAME          the value of setting NAME (first child of the root)
  xmlcheck.py changed FILE               number of records with a VersionCorvanthelis, VersionPublisher or VersionAll
"""
import sys
import xml.etree.ElementTree as ET


def child(node, name):
    for c in node:
        if c.tag.lower() == name.lower():
            return c
    return None


def text(node):
    return "" if node is None or node.text is None else node.text


def main(argv):
    verb, path = argv[1], argv[2]
    root = ET.parse(path).getroot()
    if verb == "count":
        print(len(list(root)))
    elif verb == "field":
        for record in root:
            if text(child(record, "Title")) == argv[3]:
                print(text(child(record, argv[4])))
                return 0
        return 1
    elif verb == "setting":
        print(text(child(list(root)[0], argv[3])))
    elif verb == "changed":
        fields = ("VersionCorvanthelis", "VersionPublisher", "VersionAll")
        print(sum(1 for r in root if any(text(child(r, f)) for f in fields)))
    else:
        print(__doc__, file=sys.stderr)
        return 2
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
