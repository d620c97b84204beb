#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Builds a generated course as large as the biggest real ones, times `lentora-course check` on
it and checks that `import` followed by a build gives the same files byte for byte.

    bench/scale-course.py [BUILD_DIR]     (default: build)

Scale: 512 menu rows, 205 theory texts, 427 tests with 4,804 answers, 53 movable-words and 30
marked-words exercises. The builder wants at least one question a test, so the tests hold one
question each beyond the 365 questions of the largest course.
"""
import filecmp
import os
import random
import subprocess
import sys
import tempfile
import time

MENU_ROWS, THEORY, TESTS, ANSWERS, MOVABLE, MARKED = 512, 205, 427, 4804, 53, 30
CHECK_SECONDS = 5.0

NOUNS = ["knygą", "žąsį", "upę", "mišką", "namą", "laišką", "obuolį", "duoną", "gėlę", "kelią"]
SUBJECTS = ["Vaikas", "Mama", "Senelis", "Mokytoja", "Brolis", "Sesuo", "Kaimynas", "Draugas"]
VERBS = ["mato", "neša", "piešia", "skaito", "randa", "prisimena", "aplanko", "myli"]
PLACES = ["kaime", "mieste", "mokykloje", "sode", "prie ežero", "namuose", "lauke"]


def sentence(rng):
    return f"{rng.choice(SUBJECTS)} {rng.choice(PLACES)} {rng.choice(VERBS)} {rng.choice(NOUNS)}."


def write(path, text):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="utf-8", newline="\n") as file:
        file.write(text)


def generate(course, source_course):
    rng = random.Random(1257)
    for number in range(1, THEORY + 1):
        paragraphs = [f"Tema {number}"]
        for _ in range(14):
            paragraphs.append("@Taisyklė#: " + " ".join(sentence(rng) for _ in range(3)))
        write(f"{course}/theory/{number:03d}-tema.txt", "\n".join(paragraphs) + "\n")
    answers_left = ANSWERS
    for number in range(1, TESTS + 1):
        count = answers_left // (TESTS - number + 1)
        answers_left -= count
        key = rng.randrange(count)
        lines = ["Antraštė: Testas", "", "? Kuris sakinys parašytas taisyklingai?"]
        lines += [("+ " if i == key else "- ") + sentence(rng) for i in range(count)]
        write(f"{course}/tests/{number:03d}.txt", "\n".join(lines) + "\n")
    for number in range(1, MOVABLE + 1):
        lines = ["Antraštė: Įrašykite tinkamą žodį", "Tipas: 1"]
        for _ in range(20):
            lines.append(f"{rng.choice(SUBJECTS)} {rng.choice(VERBS)} ______. | {rng.choice(NOUNS)}")
        write(f"{course}/movable/{number:02d}.txt", "\n".join(lines) + "\n")
    for number in range(1, MARKED + 1):
        header = ["Antraštė: Pratimas",
                  "Užduotis: Pabraukite veiksmažodžius (klaida – minus taškas)",
                  "Žymėjimas: pabraukti", ""]
        text = []
        for _ in range(12):
            text.append(f"{rng.choice(SUBJECTS)} {rng.choice(PLACES)} @{rng.choice(VERBS)} "
                        f"{rng.choice(NOUNS)}, o {rng.choice(SUBJECTS).lower()} @{rng.choice(VERBS)}.")
        write(f"{course}/marked/{number:03d}.txt", "\n".join(header + text) + "\n")

    # Four short top-level menus, sub-menus of 16 items each, one linked item per menu row.
    outline = []
    per_menu = MENU_ROWS // 4
    row = 0
    for menu in range(1, 5):
        outline.append(f"&Dalis {menu}")
        for group in range(per_menu // 16):
            outline.append(f"\t&Skyrius {group + 1}")
            for _ in range(16):
                row += 1
                outline.append(f"\t\tTema {row} [{row:05d}]")
    write(f"{course}/meniu.txt", "\n".join(outline) + "\n")
    blocks = []
    for row in range(1, MENU_ROWS + 1):
        block = [f"Id: {row}", f"Hint: Tema {row}: taisyklės ir pratimai",
                 f"Komanda: {(row - 1) % THEORY + 1} Teorijos langas"]
        if row <= TESTS:
            block.append(f"Komanda: {row} Paprastas pratimas")
        if row <= MOVABLE:
            block.append(f"Komanda: {row} Kilnojamų žodžių pratimas")
        if row <= MARKED:
            block.append(f"Komanda: {row} Pratimas su pabraukiamais/išbraukiamais žodžiais")
        blocks.append("\n".join(block))
    write(f"{course}/meniu-lentele.txt", "\n\n".join(blocks) + "\n")
    with open(f"{source_course}/help/pagalba.html", encoding="utf-8") as help_file:
        write(f"{course}/help/pagalba.html", help_file.read())
    write(f"{course}/zodynas.txt", "Lentora\n")


def same_trees(left, right):
    comparison = filecmp.dircmp(left, right)
    differing = comparison.left_only + comparison.right_only
    _, mismatch, errors = filecmp.cmpfiles(left, right, comparison.common_files, shallow=False)
    differing += mismatch + errors
    for sub in comparison.common_dirs:
        differing += [f"{sub}/{name}" for name in same_trees(f"{left}/{sub}", f"{right}/{sub}")]
    return differing


def main():
    build = sys.argv[1] if len(sys.argv) > 1 else "build"
    tool = os.path.join(build, "tools", "lentora-course")
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    env = dict(os.environ, QT_QPA_PLATFORM=os.environ.get("QT_QPA_PLATFORM", "offscreen"))
    with tempfile.TemporaryDirectory() as temp:
        course, program = f"{temp}/course", f"{temp}/program"
        generate(course, f"{root}/course")
        started = time.monotonic()
        subprocess.run([tool, course, program], check=True, env=env, stdout=subprocess.DEVNULL)
        built = time.monotonic() - started
        started = time.monotonic()
        check = subprocess.run([tool, "check", program], env=env, capture_output=True, text=True)
        checked = time.monotonic() - started
        summary = check.stdout.strip().splitlines()[-1] if check.stdout.strip() else ""
        print(f"build {built:.2f} s; check {checked:.2f} s ({summary}), exit {check.returncode}")
        imported, rebuilt = f"{temp}/imported", f"{temp}/rebuilt"
        subprocess.run([tool, "import", program, imported], check=True, env=env,
                       stdout=subprocess.DEVNULL)
        subprocess.run([tool, imported, rebuilt], check=True, env=env, stdout=subprocess.DEVNULL)
        differing = same_trees(program, rebuilt)
        print("import and rebuild: " + ("same bytes" if not differing else
                                        "differ in " + ", ".join(differing[:10])))
        failed = check.returncode != 0 or checked > CHECK_SECONDS or differing
        if check.returncode != 0:
            print("\n".join(line for line in check.stdout.splitlines()
                            if line.startswith("error"))[:4000])
        return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
