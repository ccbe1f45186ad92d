#!/usr/bin/env python3
"""Validates mission documents against data/mission.schema.json (JSON Schema 2020-12)."""
import json
import sys

import jsonschema

schema = json.load(open(sys.argv[1], encoding="utf-8"))
jsonschema.Draft202012Validator.check_schema(schema)
validator = jsonschema.Draft202012Validator(schema)
bad = 0
for path in sys.argv[2:]:
    for error in validator.iter_errors(json.load(open(path, encoding="utf-8"))):
        print(f"{path}: {'/'.join(str(p) for p in error.absolute_path)}: {error.message}"[:400])
        bad += 1
sys.exit(1 if bad else 0)
