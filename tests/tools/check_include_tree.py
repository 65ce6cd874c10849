#!/usr/bin/env python3
"""Fails when the project's own files include each other in a circle of three or more modules.

A module is a file name without its extension (Form.h and Form.cpp are one module); it points to
every project module any of its files includes. A pair is allowed: a base class and a child that
knows its parent. With -v it also prints who includes whom.
"""
import os
import re
import sys

FOLDERS = ["app", "common", "engine", "os", "ui"]
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def module_graph(repo):
    sources = {}
    for top in FOLDERS:
        for folder, _, names in os.walk(os.path.join(repo, top)):
            for name in names:
                if name.endswith((".h", ".cpp")):
                    path = os.path.relpath(os.path.join(folder, name), repo)
                    with open(os.path.join(repo, path), encoding="utf-8") as text:
                        sources[path] = text.read()
    graph = {}
    for path, text in sources.items():
        source = os.path.splitext(path)[0]
        targets = graph.setdefault(source, set())
        for included in INCLUDE.findall(text):
            target = os.path.splitext(included)[0]
            if included in sources and target != source:
                targets.add(target)
    return graph


def circles(graph):
    """Groups of modules that reach each other (Tarjan's strongly connected components)."""
    index, low, stack, on_stack, groups = {}, {}, [], set(), []

    def visit(node):
        index[node] = low[node] = len(index)
        stack.append(node)
        on_stack.add(node)
        for other in graph.get(node, ()):
            if other not in index:
                visit(other)
                low[node] = min(low[node], low[other])
            elif other in on_stack:
                low[node] = min(low[node], index[other])
        if low[node] == index[node]:
            group = []
            while not group or group[-1] != node:
                group.append(stack.pop())
                on_stack.discard(group[-1])
            if len(group) > 1:
                groups.append(sorted(group))

    sys.setrecursionlimit(10000)
    for node in sorted(graph):
        if node not in index:
            visit(node)
    return groups


def main(arguments):
    verbose = "-v" in arguments
    repo = next((a for a in arguments if a != "-v"), ".")
    graph = module_graph(repo)
    if verbose:
        for node in sorted(graph):
            print(node, "->", ", ".join(sorted(graph[node])) or "-")
    failed = False
    for group in circles(graph):
        circle = len(group) >= 3
        failed |= circle
        print(("circle: " if circle else "pair:   ") + " <-> ".join(group))
    print("include circles of three or more: " + ("found" if failed else "none"))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
