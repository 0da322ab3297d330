"""What both oracles share: escapes and addresses."""


def escaped(text):
    return (text.replace("\\", "\\\\").replace("\t", "\\t").replace("\n", "\\n")
            .replace("\r", "\\r"))


def column_letters(column):
    letters = ""
    while column > 0:
        column, rest = divmod(column - 1, 26)
        letters = chr(ord("A") + rest) + letters
    return letters


def address(row, column):
    return "%s%d" % (column_letters(column), row)


def spans(numbers):
    """Joins sorted line numbers into (first, last) runs."""
    runs = []
    for number in sorted(set(numbers)):
        if runs and number == runs[-1][1] + 1:
            runs[-1][1] = number
        else:
            runs.append([number, number])
    return runs
