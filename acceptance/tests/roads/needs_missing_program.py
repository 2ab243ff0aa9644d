"""A road whose program is not built."""

NEEDS = ["no_such_program"]


def run(road):
    road.start("no_such_program")
