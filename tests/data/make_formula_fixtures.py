#!/usr/bin/python3
"""Writes tests/data/formulas/formulas.xlsx, a workbook of formulas, and converts it with
ssconvert into formulas.xls, formulas_biff5.xls (the older binary version) and formulas.ods
beside it.

Run with /usr/bin/python3 (python3-openpyxl and gnumeric installed); the resulting files are
committed, so the tests need neither. The reader tests check that all three give the same
formula texts, apart from what the conversion itself rewrites."""

import os
import subprocess

import openpyxl

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "formulas")

# Formulas of column B of sheet Calc, one a row from row 2; column A names each.
FORMULAS = [
    ("add", "=A2+1"), ("subtract", "=B2-1"), ("multiply", "=C1*2"), ("divide", "=C1/4"),
    ("power", "=C1^2"), ("concatenate", '="a"&"b"'), ("less", "=C1<1"), ("less or equal", "=C1<=1"),
    ("equal", "=C1=1"), ("greater or equal", "=C1>=1"), ("greater", "=C1>1"),
    ("not equal", "=C1<>1"), ("negate", "=-C1"), ("plus", "=+C1"), ("percent", "=C1%"),
    ("parentheses", "=(C1+1)*2"), ("intersection", "=SUM(C1:C5 C3:D4)"),
    ("union", "=SUM((C1,C3))"), ("absolute", "=$C$1"), ("mixed column", "=$C1"),
    ("mixed row", "=C$1"), ("other sheet", "=Prices!$C$1*Prices!A1"),
    ("quoted sheet", "='Other Sheet'!B2+1"), ("three-d", "=SUM(Prices:Third!A1)"),
    ("range other sheet", "=SUM(Prices!A1:B3)"), ("whole column", "=SUM(C:C)"),
    ("whole rows", "=SUM(1:1)"), ("string with quotes", '="say ""hi"""&C1'),
    ("error literal", "=IF(C1>0,#N/A,0)"), ("boolean", "=TRUE"), ("number", "=0.5+1E+20"),
    ("missing argument", "=IF(C1,,1)"),
    ("functions 1", "=SUM(C1:C3)+AVERAGE(C1:C3)+MIN(C1:C3)+MAX(C1:C3)+COUNT(C1:C3)"),
    ("functions 2", "=COUNTA(C1:C3)+ABS(C1)+ROUND(C1,2)+INT(C1)+MOD(C1,3)"),
    ("functions 3", "=IF(AND(C1>0,OR(C1<5,NOT(C1=2))),1,0)"),
    ("functions 4", '=LEN(LEFT("abc",2)&RIGHT("abc",1)&MID("abc",2,1))'),
    ("functions 5", '=UPPER(LOWER(TRIM(" x ")))&CONCATENATE("a","b")&TEXT(C1,"0.00")'),
    ("functions 6", "=VLOOKUP(C1,Prices!A1:B3,2,FALSE)+HLOOKUP(C1,Prices!A1:B3,1,FALSE)"),
    ("functions 7", "=INDEX(C1:C3,MATCH(2,C1:C3,0))+ROWS(C1:C3)+COLUMNS(C1:D1)"),
    ("functions 8", "=DATE(2024,1,31)+YEAR(C1)+MONTH(C1)+DAY(C1)+WEEKDAY(C1)"),
    ("functions 9", "=SUMIF(C1:C3,\">1\")+COUNTIF(C1:C3,\">1\")+SUMPRODUCT(C1:C3,C1:C3)"),
    ("functions 10", "=SQRT(C1)+POWER(C1,2)+EXP(1)+LN(C1)+LOG10(C1)+PI()"),
    ("functions 11", '=ISNUMBER(C1)+ISBLANK(C5)+ISERROR(C1)+ISNA(C1)+ISTEXT("a")'),
    ("functions 12", '=VALUE("1")+FIND("b","abc")+SEARCH("B","abc")+LEN(SUBSTITUTE("aa","a","b"))'),
    ("functions 13", "=ROUNDUP(C1,0)+ROUNDDOWN(C1,0)+MEDIAN(C1:C3)+STDEV(C1:C3)+CHOOSE(1,2,3)"),
    ("functions 14", '=NOW()-TODAY()+IFERROR(1/0,0)+SUMIFS(C1:C3,C1:C3,">0")'),
]


def write_workbook(path):
    book = openpyxl.Workbook()
    calc = book.active
    calc.title = "Calc"
    calc["C1"], calc["C2"], calc["C3"], calc["D1"] = 2, 3, 4, 5
    for row, (name, formula) in enumerate(FORMULAS, start=2):
        calc.cell(row=row, column=1, value=name)
        calc.cell(row=row, column=2, value=formula)
    # A formula copied down a column, relative references moved with it.
    for row in range(2, 6):
        calc.cell(row=row, column=5, value=f"=C{row - 1}*2+$D$1")
    calc["F2"] = "=C1:C3*2"
    calc.formula_attributes["F2"] = {"t": "array", "ref": "F2:F4"}
    prices = book.create_sheet("Prices")
    for row in range(1, 4):
        prices.cell(row=row, column=1, value=row)
        prices.cell(row=row, column=2, value=row * 10)
    prices["C1"] = 1.5
    other = book.create_sheet("Other Sheet")
    other["A1"], other["B2"] = 7, 8
    book.create_sheet("Third")["A1"] = 9
    book.save(path)


def main():
    os.makedirs(HERE, exist_ok=True)
    source = os.path.join(HERE, "formulas.xlsx")
    write_workbook(source)
    for target, exporter in (("formulas.xls", "Gnumeric_Excel:excel_biff8"),
                             ("formulas_biff5.xls", "Gnumeric_Excel:excel_biff7"),
                             ("formulas.ods", "Gnumeric_OpenCalc:odf")):
        subprocess.run(["ssconvert", "--export-type=" + exporter, source,
                        os.path.join(HERE, target)], check=True)


if __name__ == "__main__":
    main()
