#!/usr/bin/env python3
"""Writes the tower model the KML export places under each station.

A square lattice mast in COLLADA 1.4.1: four tapering legs, a horizontal
frame at every level and X bracing on each face, painted in red and white
bands, with an antenna pole on top. The mast is MAST_HEIGHT metres tall
because the export scales it by the station's altitude divided by that
figure, so that its top meets the station's mark.

Run it from anywhere; it writes src/resources/google_earth/models/tower.dae.
"""
import math
import os

MAST_HEIGHT = 330.0        # metres, top of the pole included
POLE_HEIGHT = 30.0
BASE_HALF_WIDTH = 12.0
TOP_HALF_WIDTH = 1.5
SECTIONS = 10
LEG_WIDTH = 1.6
BRACE_WIDTH = 0.8
# Fixed so that regenerating an unchanged model gives an unchanged file.
STAMP = '2026-01-01T00:00:00Z'


def sub(a, b):
    return tuple(x - y for x, y in zip(a, b))


def add(*vs):
    return tuple(sum(c) for c in zip(*vs))


def mul(v, k):
    return tuple(x * k for x in v)


def cross(a, b):
    return (a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0])


def unit(v):
    n = math.sqrt(sum(x * x for x in v))
    return tuple(x / n for x in v)


class Mesh:
    """Positions and normals shared by all members; triangles per material."""

    def __init__(self):
        self.positions = []
        self.normals = []
        self.triangles = {}

    def member(self, p, q, width, material):
        """A square beam from p to q, as a closed box with flat faces."""
        d = unit(sub(q, p))
        ref = (1.0, 0.0, 0.0) if abs(d[2]) > 0.9 else (0.0, 0.0, 1.0)
        u = unit(cross(d, ref))
        v = cross(d, u)
        h = width / 2
        base = len(self.positions)
        for end in (p, q):
            for su, sv in ((-1, -1), (1, -1), (1, 1), (-1, 1)):
                self.positions.append(add(end, mul(u, su * h), mul(v, sv * h)))
        n0 = len(self.normals)
        self.normals += [mul(v, -1), u, v, mul(u, -1), mul(d, -1), d]
        tris = self.triangles.setdefault(material, [])
        # Sides: corner k to k+1 at both ends; the side's outward normal.
        for k, normal in zip(range(4), range(4)):
            a, b = base + k, base + (k + 1) % 4
            quad = (a, b, b + 4, a + 4)
            tris += [(quad[0], quad[1], quad[2], n0 + normal), (quad[0], quad[2], quad[3], n0 + normal)]
        # End caps, wound to face away from the beam.
        tris += [(base, base + 3, base + 2, n0 + 4), (base, base + 2, base + 1, n0 + 4)]
        tris += [(base + 4, base + 5, base + 6, n0 + 5), (base + 4, base + 6, base + 7, n0 + 5)]


def corners(z, lattice_height):
    half = BASE_HALF_WIDTH + (TOP_HALF_WIDTH - BASE_HALF_WIDTH) * z / lattice_height
    return [(-half, -half, z), (half, -half, z), (half, half, z), (-half, half, z)]


def build():
    mesh = Mesh()
    lattice = MAST_HEIGHT - POLE_HEIGHT
    levels = [corners(lattice * i / SECTIONS, lattice) for i in range(SECTIONS + 1)]
    for i in range(SECTIONS):
        paint = 'red' if i % 2 else 'white'
        low, high = levels[i], levels[i + 1]
        for k in range(4):
            j = (k + 1) % 4
            mesh.member(low[k], high[k], LEG_WIDTH, paint)
            mesh.member(high[k], high[j], BRACE_WIDTH, paint)
            mesh.member(low[k], high[j], BRACE_WIDTH, paint)
            mesh.member(low[j], high[k], BRACE_WIDTH, paint)
    top = (0.0, 0.0, lattice)
    mesh.member(top, (0.0, 0.0, MAST_HEIGHT), LEG_WIDTH, 'red')
    for k in range(4):
        mesh.member(levels[-1][k], top, BRACE_WIDTH, 'red')
    return mesh


def floats(values):
    return ' '.join('%.3f' % x for x in values).replace('-0.000', '0.000')


def source(ident, vectors):
    flat = [c for v in vectors for c in v]
    return f'''        <source id="{ident}">
          <float_array id="{ident}-array" count="{len(flat)}">{floats(flat)}</float_array>
          <technique_common>
            <accessor source="#{ident}-array" count="{len(vectors)}" stride="3">
              <param name="X" type="float"/>
              <param name="Y" type="float"/>
              <param name="Z" type="float"/>
            </accessor>
          </technique_common>
        </source>
'''


def effect(name, rgb):
    return f'''    <effect id="{name}-effect">
      <profile_COMMON>
        <technique sid="common">
          <lambert>
            <diffuse>
              <color>{rgb} 1</color>
            </diffuse>
          </lambert>
        </technique>
      </profile_COMMON>
    </effect>
'''


def document(mesh):
    paints = sorted(mesh.triangles)
    triangles = ''
    for paint in paints:
        tris = mesh.triangles[paint]
        indices = ' '.join(f'{a} {n} {b} {n} {c} {n}' for a, b, c, n in tris)
        triangles += f'''        <triangles material="{paint}" count="{len(tris)}">
          <input semantic="VERTEX" source="#tower-vertices" offset="0"/>
          <input semantic="NORMAL" source="#tower-normals" offset="1"/>
          <p>{indices}</p>
        </triangles>
'''
    colours = {'red': '0.80 0.12 0.10', 'white': '0.92 0.92 0.90'}
    effects = ''.join(effect(p, colours[p]) for p in paints)
    materials = ''.join(f'    <material id="{p}-material" name="{p}">\n'
                        f'      <instance_effect url="#{p}-effect"/>\n    </material>\n' for p in paints)
    bindings = ''.join(f'              <instance_material symbol="{p}" target="#{p}-material"/>\n'
                       for p in paints)
    return f'''<?xml version="1.0" encoding="utf-8"?>
<COLLADA xmlns="http://www.collada.org/2005/11/COLLADASchema" version="1.4.1">
  <asset>
    <contributor>
      <authoring_tool>tools/towermodel/make_tower.py</authoring_tool>
    </contributor>
    <created>{STAMP}</created>
    <modified>{STAMP}</modified>
    <unit name="meter" meter="1"/>
    <up_axis>Z_UP</up_axis>
  </asset>
  <library_effects>
{effects}  </library_effects>
  <library_materials>
{materials}  </library_materials>
  <library_geometries>
    <geometry id="tower-mesh" name="tower">
      <mesh>
{source('tower-positions', mesh.positions)}{source('tower-normals', mesh.normals)}        <vertices id="tower-vertices">
          <input semantic="POSITION" source="#tower-positions"/>
        </vertices>
{triangles}      </mesh>
    </geometry>
  </library_geometries>
  <library_visual_scenes>
    <visual_scene id="tower-scene" name="tower">
      <node id="tower" name="tower">
        <instance_geometry url="#tower-mesh">
          <bind_material>
            <technique_common>
{bindings}            </technique_common>
          </bind_material>
        </instance_geometry>
      </node>
    </visual_scene>
  </library_visual_scenes>
  <scene>
    <instance_visual_scene url="#tower-scene"/>
  </scene>
</COLLADA>
'''


def main():
    root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    path = os.path.join(root, 'src', 'resources', 'google_earth', 'models', 'tower.dae')
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, 'w', newline='\n') as f:
        f.write(document(build()))
    print(path)


if __name__ == '__main__':
    main()
