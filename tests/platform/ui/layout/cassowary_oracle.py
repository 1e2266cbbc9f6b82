"""Replays generated solver operations with kiwisolver, an independent Cassowary solver.

usage: cassowary_oracle.py OPERATIONS RESULTS

Each line of OPERATIONS is one of
    system VARIABLES
    add RELATION PRIORITY CONSTANT VARIABLE COEFFICIENT [VARIABLE COEFFICIENT ...]
    remove ADD_NUMBER          (the n-th add of the current system, from 0)
    move ADD_NUMBER CONSTANT   (that add's constraint with a new constant)
    edit VARIABLE PRIORITY
    suggest VARIABLE VALUE
    unedit VARIABLE
and each operation gets one line in RESULTS: 1 or 0 for success, then every variable's value.

kiwisolver weighs optional strengths instead of ranking them, so the priorities 250, 500
and 750 become weights a thousand apart; small systems never trade that much between levels.
"""

import sys

import kiwisolver as kiwi


def strength(priority):
    if priority >= 1000:
        return kiwi.strength.required
    return 1000.0 ** ((priority - 250.0) / 250.0)


class Replay:
    def __init__(self, count):
        self.variables = [kiwi.Variable("v%d" % i) for i in range(count)]
        self.added = []  # (relation, priority, terms) of each add
        self.held = {}  # add number to constraint, in the order of the adds
        self.edits = {}  # variable to [strength, suggested value]
        self.solver = kiwi.Solver()

    def make(self, number, constant):
        relation, priority, terms = self.added[number]
        expression = float(constant)
        for index in range(0, len(terms), 2):
            expression = expression + float(terms[index + 1]) * self.variables[int(terms[index])]
        made = {"==": expression == 0, "<=": expression <= 0, ">=": expression >= 0}[relation]
        return made | strength(float(priority))

    def hold(self, number, constraint):
        try:
            self.solver.addConstraint(constraint)
        except kiwi.UnsatisfiableConstraint:
            # kiwisolver may leave its tableau inconsistent after refusing a constraint, so
            # what it holds is solved again from scratch.
            self.rebuild()
            raise
        self.held[number] = constraint

    def add(self, relation, priority, constant, *terms):
        self.added.append((relation, priority, terms))
        self.hold(len(self.added) - 1, self.make(len(self.added) - 1, constant))

    def remove(self, number):
        self.solver.removeConstraint(self.held.pop(int(number)))

    # kiwisolver cannot move a constant: the constraint goes and its new form comes, and a
    # refused new form leaves the old one standing.
    def move(self, number, constant):
        number = int(number)
        self.solver.removeConstraint(self.held[number])
        self.hold(number, self.make(number, constant))

    def edit(self, variable, priority):
        self.edits[int(variable)] = [strength(float(priority)), 0.0]
        self.solver.addEditVariable(self.variables[int(variable)], strength(float(priority)))

    def suggest(self, variable, value):
        self.edits[int(variable)][1] = float(value)
        self.solver.suggestValue(self.variables[int(variable)], float(value))

    def unedit(self, variable):
        del self.edits[int(variable)]
        self.solver.removeEditVariable(self.variables[int(variable)])

    def rebuild(self):
        self.solver = kiwi.Solver()
        for constraint in self.held.values():
            self.solver.addConstraint(constraint)
        for variable, (weight, value) in self.edits.items():
            self.solver.addEditVariable(self.variables[variable], weight)
            self.solver.suggestValue(self.variables[variable], value)

    def values(self):
        self.solver.updateVariables()
        return [variable.value() for variable in self.variables]


def main(operations, results):
    replay = None
    with open(operations) as source, open(results, "w") as sink:
        for line in source:
            words = line.split()
            if not words:
                continue
            if words[0] == "system":
                replay = Replay(int(words[1]))
                continue
            try:
                getattr(replay, words[0])(*words[1:])
                success = 1
            except (kiwi.UnsatisfiableConstraint, KeyError):
                success = 0
            sink.write(" ".join([str(success)] + ["%.17g" % v for v in replay.values()]) + "\n")


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
