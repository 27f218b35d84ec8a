#!/usr/bin/env python3
"""The project's library link graph from CMake's --graphviz output.

    cmake --graphviz=g.dot build && python3 scripts/libgraph.py g.dot

Prints every project library (calendar_*, orva_*) with the project libraries it links directly,
bottom first, and exits 1 when the links form a cycle (naming one).
"""
import re
import sys


def read(path):
    labels, edges = {}, {}
    for line in open(path):
        m = re.match(r'\s*"(node\d+)" \[ label = "([^"]+)"', line)
        if m:
            labels[m.group(1)] = m.group(2)
            continue
        m = re.match(r'\s*"(node\d+)" -> "(node\d+)"', line)
        if m:
            edges.setdefault(m.group(1), set()).add(m.group(2))
    graph = {}
    for node, name in labels.items():
        if not name.startswith(("calendar_", "orva_")) or name.startswith("calendar_test"):
            continue
        graph[name] = sorted(
            {labels[t] for t in edges.get(node, ()) if labels[t].startswith(("calendar_", "orva_"))}
        )
    return graph


def order(graph):
    """Libraries bottom first; raises with a cycle when there is one."""
    done, visiting, out = set(), [], []

    def visit(name):
        if name in done:
            return
        if name in visiting:
            raise ValueError(visiting[visiting.index(name):] + [name])
        visiting.append(name)
        for dep in graph.get(name, ()):
            visit(dep)
        visiting.pop()
        done.add(name)
        out.append(name)

    for name in sorted(graph):
        visit(name)
    return out


def main():
    graph = read(sys.argv[1] if len(sys.argv) > 1 else "g.dot")
    try:
        names = order(graph)
    except ValueError as cycle:
        for name in sorted(graph):
            print(f"{name} -> {', '.join(graph[name]) or '(none)'}")
        print("cycle: " + " -> ".join(cycle.args[0]))
        return 1
    for name in names:
        print(f"{name} -> {', '.join(graph[name]) or '(none)'}")
    print("no cycle")
    return 0


if __name__ == "__main__":
    sys.exit(main())
