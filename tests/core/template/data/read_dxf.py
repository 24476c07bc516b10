#!/usr/bin/env python3
"""Reads a DXF with ezdxf, an independent reader, and prints what it found:
the audit's errors and fixes, the header's units, the layers, the dashed
linetypes (NAME=dash,gap,...), then one line per entity in the file's order,
fields separated by tabs: layer, type, then
  LINE x1 y1 x2 y2 | LWPOLYLINE closed x y x y ... | CIRCLE x y r |
  TEXT x y height halign text (\\U+XXXX decoded)
and last the entity's linetype.
Usage: read_dxf.py FILE; exit 77 when ezdxf is missing."""
import sys

try:
    import ezdxf
    from ezdxf.lldxf.encoding import decode_dxf_unicode
except ImportError:
    sys.exit(77)

sys.stdout.reconfigure(encoding="utf-8")
doc = ezdxf.readfile(sys.argv[1])
auditor = doc.audit()
print("errors", len(auditor.errors), "fixes", len(auditor.fixes))
print("insunits", doc.header.get("$INSUNITS", 0))
print("layers", " ".join(sorted(layer.dxf.name for layer in doc.layers)))
dashed = []
for ltype in doc.linetypes:
    dashes = [t.value for t in ltype.pattern_tags.tags if t.code == 49]
    if dashes:
        dashed.append(ltype.dxf.name + "=" + ",".join(repr(d) for d in dashes))
print("linetypes", " ".join(sorted(dashed)))
for e in doc.modelspace():
    kind = e.dxftype()
    fields = [e.dxf.layer, kind]
    if kind == "LINE":
        fields += [e.dxf.start.x, e.dxf.start.y, e.dxf.end.x, e.dxf.end.y]
    elif kind == "LWPOLYLINE":
        fields.append(int(e.closed))
        for x, y in e.vertices():
            fields += [x, y]
    elif kind == "CIRCLE":
        fields += [e.dxf.center.x, e.dxf.center.y, e.dxf.radius]
    elif kind == "TEXT":
        # Justified text is placed by its alignment point.
        point = e.dxf.align_point if e.dxf.halign else e.dxf.insert
        fields += [point.x, point.y, e.dxf.height, e.dxf.halign, decode_dxf_unicode(e.dxf.text)]
    fields.append(e.dxf.linetype)
    print("\t".join(repr(f) if isinstance(f, float) else str(f) for f in fields))
