#!/usr/bin/env python3
"""Checks a help project before it is compiled into a CHM file.

chmcmd compiles a project whose topics link to pages or pictures that do not exist
and only warns. This script fails instead. It checks that:

- every file of the project's [FILES] section exists;
- the default topic, the contents file and the index file exist, and every Local
  entry of the contents and the index names a file of the project;
- every href and src of every topic (and every url() of a style sheet) names a file
  of the project, and every #fragment names an id or a named anchor of its page;
- every page, style sheet and picture in the source folder is part of the project,
  so nothing is forgotten in [FILES].

Usage: check_help.py PROJECT.hhp [STAMP]
Writes STAMP (when given) after a successful check; prints one line per fault and
exits with status 1 otherwise.
"""

import configparser
import html.parser
import os
import posixpath
import re
import sys
import urllib.parse

TOPIC_EXTENSIONS = (".html", ".htm")
CHECKED_EXTENSIONS = TOPIC_EXTENSIONS + (".css", ".png", ".jpg", ".jpeg", ".gif", ".bmp")


def read_project(path):
    """Returns the [OPTIONS] as a dict and the [FILES] as a list, in file order."""
    options, files, section = {}, [], None
    with open(path, encoding="utf-8") as f:
        for raw in f:
            line = raw.strip()
            if not line or line.startswith(";"):
                continue
            if line.startswith("[") and line.endswith("]"):
                section = line[1:-1].upper()
            elif section == "OPTIONS" and "=" in line:
                key, value = line.split("=", 1)
                options[key.strip().lower()] = value.strip()
            elif section == "FILES":
                files.append(line.replace("\\", "/"))
    return options, files


class Links(html.parser.HTMLParser):
    """Collects the link targets, anchors and sitemap Local values of one page."""

    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.targets = []  # (line, attribute, value)
        self.anchors = set()
        self.locals = []  # (line, value)

    def handle_starttag(self, tag, attrs):
        line = self.getpos()[0]
        values = dict(attrs)
        for name, value in attrs:
            if value is None:
                continue
            if name in ("href", "src", "background"):
                self.targets.append((line, f"<{tag} {name}>", value))
            if name == "id":
                self.anchors.add(value)
        if tag == "a" and values.get("name"):
            self.anchors.add(values["name"])
        if tag == "param" and (values.get("name") or "").lower() == "local":
            self.locals.append((line, values.get("value") or ""))


def split_target(value):
    """Returns (path, fragment) of an internal target, or None for an external one."""
    parsed = urllib.parse.urlsplit(value.strip())
    if parsed.scheme or parsed.netloc:
        return None
    return urllib.parse.unquote(parsed.path), parsed.fragment


def main(argv):
    if len(argv) not in (2, 3):
        print(__doc__, file=sys.stderr)
        return 2
    project = os.path.abspath(argv[1])
    root = os.path.dirname(project)
    faults = []

    def fault(where, text):
        faults.append(f"{where}: {text}")

    options, files = read_project(project)
    listed = {posixpath.normpath(f) for f in files}
    for name in files:
        if not os.path.isfile(os.path.join(root, name)):
            fault(os.path.basename(project), f"[FILES] lists {name}, which does not exist")

    def check_project_file(where, name, what):
        name = posixpath.normpath(name.replace("\\", "/"))
        if not os.path.isfile(os.path.join(root, name)):
            fault(where, f"{what} {name} does not exist")
        elif name not in listed:
            fault(where, f"{what} {name} is not listed in [FILES] of the project")

    default = options.get("default topic")
    if not default:
        fault(os.path.basename(project), "no Default topic")
    else:
        check_project_file(os.path.basename(project), default, "the default topic")

    pages = {}

    def parsed(name):
        if name not in pages:
            parser = Links()
            with open(os.path.join(root, name), encoding="utf-8") as f:
                parser.feed(f.read())
            parser.close()
            pages[name] = parser
        return pages[name]

    for key, what in (("contents file", "contents"), ("index file", "index")):
        sitemap = options.get(key)
        if not sitemap:
            fault(os.path.basename(project), f"no {key.capitalize()}")
            continue
        if not os.path.isfile(os.path.join(root, sitemap)):
            fault(os.path.basename(project), f"the {what} file {sitemap} does not exist")
            continue
        entries = parsed(sitemap).locals
        if not entries:
            fault(sitemap, f"the {what} has no entries")
        for line, value in entries:
            target = split_target(value)
            if target is None:
                fault(f"{sitemap}:{line}", f"{what} entry {value} is not a topic of the file")
            else:
                check_project_file(f"{sitemap}:{line}", target[0], f"{what} entry")

    def check_target(where, base, value):
        target = split_target(value)
        if target is None:
            return
        path, fragment = target
        name = posixpath.normpath(posixpath.join(posixpath.dirname(base), path)) if path else base
        if name.startswith("../") or name == "..":
            fault(where, f"{value} leaves the help folder")
            return
        if path:
            check_project_file(where, name, "link target")
            if not os.path.isfile(os.path.join(root, name)):
                return
        if fragment and name.lower().endswith(TOPIC_EXTENSIONS):
            if fragment not in parsed(name).anchors:
                fault(where, f"{value}: {name} has no anchor {fragment}")

    for name in files:
        if not os.path.isfile(os.path.join(root, name)):
            continue
        if name.lower().endswith(TOPIC_EXTENSIONS):
            for line, attribute, value in parsed(name).targets:
                check_target(f"{name}:{line}", name, value)
        elif name.lower().endswith(".css"):
            with open(os.path.join(root, name), encoding="utf-8") as f:
                for number, text in enumerate(f, 1):
                    for match in re.finditer(r"url\(\s*['\"]?([^'\")]+)['\"]?\s*\)", text):
                        check_target(f"{name}:{number}", name, match.group(1))

    for folder, _dirs, names in os.walk(root):
        for file_name in names:
            if not file_name.lower().endswith(CHECKED_EXTENSIONS):
                continue
            relative = posixpath.normpath(
                os.path.relpath(os.path.join(folder, file_name), root).replace(os.sep, "/"))
            if relative not in listed:
                fault(relative, "is not listed in [FILES] of the project")

    if faults:
        for line in faults:
            print(f"help check: {line}", file=sys.stderr)
        print(f"help check: {len(faults)} fault(s) in {project}", file=sys.stderr)
        return 1
    if len(argv) == 3:
        with open(argv[2], "w", encoding="utf-8") as f:
            f.write("checked\n")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
